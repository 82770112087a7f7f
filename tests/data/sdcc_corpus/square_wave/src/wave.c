/* Timer set-up and the main loop's delay. */
#include <REGX52.H>
#include "WAVE.H"

void wave_timer_init(unsigned int half_period)
{
    TMOD = (TMOD & 0xF0) | 0x02;    /* 8-bit auto reload */
    TH0 = (unsigned char)(256 - half_period);
    TL0 = TH0;
    ET0 = 1;
    TR0 = 1;
}

void slow_delay(void)
{
    unsigned int i;

    for (i = 0; i < 20000; i++)
        ;
}
