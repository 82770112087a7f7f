/* External interrupts: INT0 (P3.2) counts pulses from the flow sensor,
   INT1 (P3.3) is the reset button. Both edge triggered. */
#include <AT89S52.H>
#include "counter.h"

volatile unsigned int pulse_count;
volatile bit reset_request;

void exint_init(void)
{
    IT0 = 1;    /* falling edge */
    IT1 = 1;
    EX0 = 1;
    EX1 = 1;
    PX0 = 1;    /* pulses first */
}

void int0_isr(void) interrupt 0 using 1
{
    pulse_count++;
}

void int1_isr(void) interrupt 2 using 1
{
    reset_request = 1;
}
