/* Blinks the LED on P1.0 from the timer 0 interrupt; the main loop only
   waits. */
#include <REG51.H>
#include "blink.h"

sbit LED = P1^0;

static unsigned int elapsed_ms;

void timer0(void) interrupt 1 using 1 {
  /* Mode 1 does not reload by itself. */
  TH0 = TIMER0_RELOAD_HIGH;
  TL0 = TIMER0_RELOAD_LOW;
  if (++elapsed_ms >= BLINK_MS) {
    elapsed_ms = 0;
    LED = !LED;
  }
}

void main(void) {
  LED = 0;
  timer0_start();
  EA = 1;
  while (1) {
  }
}
