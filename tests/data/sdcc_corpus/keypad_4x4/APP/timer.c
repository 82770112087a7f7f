/* Timer 1 interrupt every 10 ms (12 MHz): the keypad scan. */
#include <AT89X52.H>
#include "..\bsp\KEYPAD.H"

#define RELOAD (65536 - 10000)

void timer1_start(void)
{
    TMOD = (TMOD & 0x0F) | 0x10;
    TH1 = RELOAD >> 8;
    TL1 = RELOAD & 0xFF;
    ET1 = 1;
    TR1 = 1;
}

void timer1_isr(void) interrupt 3
{
    TH1 = RELOAD >> 8;
    TL1 = RELOAD & 0xFF;
    keypad_scan();
}
