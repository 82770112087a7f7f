/* Timer 0 every millisecond: P1.0 toggles every 50 ms. */
#include <REG51.H>

sbit LED0 = P1^0;

static unsigned char ticks;

void timer0(void) interrupt 1 {
  TH0 = 0xFC;
  TL0 = 0x18;
  if (++ticks >= 50) {
    ticks = 0;
    LED0 = !LED0;
  }
}
