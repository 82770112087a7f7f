/* Timer 1 every millisecond: P1.1 toggles every 100 ms. */
#include <REG51.H>

sbit LED1 = P1^1;

static unsigned char ticks;

void timer1(void) interrupt 3 using 2 {
  TH1 = 0xFC;
  TL1 = 0x18;
  if (++ticks >= 100) {
    ticks = 0;
    LED1 = !LED1;
  }
}
