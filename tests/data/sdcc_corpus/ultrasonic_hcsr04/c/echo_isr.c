/* End of the echo pulse. */
#include <REG52.H>
#include "SONAR.H"

void echo_isr(void) interrupt 2 using 3
{
    TR1 = 0;
    echo_us = ((unsigned int)TH1 << 8) | TL1;   /* 1 us per count at 12 MHz */
    echo_done = 1;
}
