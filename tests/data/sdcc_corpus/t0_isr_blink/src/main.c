/* Heartbeat LED: timer 0 ticks every millisecond, its interrupt routine
   (isr.c) toggles P1.0 every LED_PERIOD ticks. main() only sets up. */
#include <REGX52.H>
#include "..\INC\Timer0.h"

void main(void)
{
    P1 = 0xFF;
    timer0_init();
    EA = 1;
    for (;;) {
        PCON |= 0x01;   /* idle until the next interrupt */
    }
}
