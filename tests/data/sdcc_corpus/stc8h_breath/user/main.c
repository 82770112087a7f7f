/* Breathing LED on an STC8H1K08: PWMA drives the LED, timer 0 fades it. */
#include <STC8H.H>
#include "..\DRIVER\pwma.h"

void tick_init(void);

void main(void)
{
    P_SW2 |= 0x80;
    P_SW2 &= ~0x80;
    pwma_init();
    tick_init();
    EA = 1;
    while (1)
        ;
}
