/* Timing of the blinky: a 12 MHz crystal, one timer 0 interrupt per
   millisecond, the LED toggled every BLINK_MS interrupts. */
#ifndef BLINK_H
#define BLINK_H

#ifndef BLINK_MS
#define BLINK_MS 500
#endif

/* 1000 machine cycles of 12 clocks each: 1 ms at 12 MHz. */
#define TIMER0_RELOAD (65536 - 1000)
#define TIMER0_RELOAD_HIGH (TIMER0_RELOAD >> 8)
#define TIMER0_RELOAD_LOW (TIMER0_RELOAD & 0xFF)

void timer0_start(void);

#endif
