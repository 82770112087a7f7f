/* Interrupt routines of the heartbeat: only the timer 0 tick. */
#include <REGX52.h>
#include "..\Inc\TIMER0.H"

static unsigned char ticks;

void timer0_isr(void) interrupt 1 using 1
{
    TH0 = T0_RELOAD_H;  /* mode 1 does not reload by itself */
    TL0 = T0_RELOAD_L;
    if (++ticks >= LED_PERIOD) {
        ticks = 0;
        P1_0 = !P1_0;
    }
}
