/* Timer 0 as the millisecond tick of the blinky. */
#include <REG51.H>
#include "blink.h"

void timer0_start(void) {
  TMOD = (TMOD & 0xF0) | 0x01; /* timer 0: 16-bit, counts machine cycles */
  TH0 = TIMER0_RELOAD_HIGH;
  TL0 = TIMER0_RELOAD_LOW;
  ET0 = 1;
  TR0 = 1;
}
