/* Square-wave source for testing a frequency counter: timer 0 in mode 2
   flips P1.2 every 200 machine cycles (2.5 kHz at 12 MHz); the main loop
   flips P1.3 far more slowly as a "running" sign. */
#include <REGX52.H>
#include "wave.h"

sbit WAVE = P1^2;

void timer0_isr(void) interrupt 1
{
    WAVE = ~WAVE;
}

void main(void)
{
    wave_timer_init(HALF_PERIOD);
    EA = 1;
    while (1) {
        slow_delay();
        P1_3 = ~P1_3;
    }
}
