/* Starts both timers and waits; timer 0's routine lives beside main(),
   timer 1's in a file of its own. */
#include <REG51.H>

sbit LED0 = P1^0;

static unsigned char ticks;

/* Timer 0 every millisecond: P1.0 toggles every 50 ms. */
void timer0(void) interrupt 1 {
  TH0 = 0xFC;
  TL0 = 0x18;
  if (++ticks >= 50) {
    ticks = 0;
    LED0 = !LED0;
  }
}

void main(void) {
  TMOD = 0x11; /* both timers 16-bit, 1000 cycles: 1 ms at 12 MHz */
  TH0 = 0xFC;
  TL0 = 0x18;
  TH1 = 0xFC;
  TL1 = 0x18;
  ET0 = 1;
  ET1 = 1;
  TR0 = 1;
  TR1 = 1;
  EA = 1;
  while (1) {
  }
}
