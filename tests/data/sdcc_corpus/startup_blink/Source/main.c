/* Blinker with its own start-up file: timer 0 in mode 2 interrupts every
   250 machine cycles; 400 of them make 100 ms, when P1.1 toggles. */
#include <REG51.H>

sbit LED = P1^1;

static unsigned int ticks;

void timer0(void) interrupt 1 using 2
{
    if (++ticks >= 400) {
        ticks = 0;
        LED = !LED;
    }
}

void main(void)
{
    TMOD = 0x02;
    TH0 = 256 - 250;
    TL0 = 256 - 250;
    ET0 = 1;
    TR0 = 1;
    EA = 1;
    for (;;)
        ;
}
