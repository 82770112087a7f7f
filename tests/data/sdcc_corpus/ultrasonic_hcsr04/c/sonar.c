/* HC-SR04: a 10 us pulse on TRIG (P2.0) starts a measurement; ECHO is
   wired to INT1 (P3.3). Timer 1 runs gated by INT1 (GATE = 1), so it
   counts exactly while ECHO is high; the falling edge interrupt reads it. */
#include <REG52.H>
#include <INTRINS.H>
#include "sonar.h"

sbit TRIG = P2^0;

volatile unsigned int echo_us;
volatile bit echo_done;

void sonar_init(void)
{
    TMOD = (TMOD & 0x0F) | 0x90;    /* timer 1: GATE, 16-bit */
    TRIG = 0;
    IT1 = 1;                        /* falling edge */
    EX1 = 1;
}

void sonar_trigger(void)
{
    unsigned char i;

    TH1 = 0;
    TL1 = 0;
    echo_done = 0;
    TR1 = 1;
    TRIG = 1;
    for (i = 0; i < 3; i++)
        _nop_();
    TRIG = 0;
}
