/* Timer 0 tick in its own file; its helper has locals of its own. */
#include <REG52.H>

unsigned char tick;
unsigned char mixed;

static unsigned char mix(unsigned char a, unsigned char b)
{
    unsigned char r[3];

    r[0] = a ^ b;
    r[1] = a + b;
    r[2] = r[0] | r[1];
    return r[2];
}

void timer0_isr(void) interrupt 1
{
    TH0 = 0xFC;
    TL0 = 0x18;
    tick++;
    mixed = mix(tick, mixed);
}

void timer0_init(void)
{
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = 0xFC;
    TL0 = 0x18;
    ET0 = 1;
    TR0 = 1;
}
