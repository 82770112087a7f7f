/* Timer 0: 50 ms interrupts at 12 MHz, twenty make the second tick. */
#include "lights.h"

volatile bit second_tick;

void timer_init(void)
{
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = 0x3C;
    TL0 = 0xB0;
    ET0 = 1;
    TR0 = 1;
}

void timer0_int(void) interrupt 1
{
    static unsigned char n;

    TH0 = 0x3C;
    TL0 = 0xB0;
    if (++n == 20) {
        n = 0;
        second_tick = 1;
    }
}
