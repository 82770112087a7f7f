#ifndef TIMER0_H
#define TIMER0_H

#ifndef LED_PERIOD
#define LED_PERIOD 250  /* ms between two toggles */
#endif

/* 1000 machine cycles: 1 ms at 12 MHz */
#define T0_RELOAD   (65536 - 1000)
#define T0_RELOAD_H ((unsigned char)(T0_RELOAD >> 8))
#define T0_RELOAD_L ((unsigned char)(T0_RELOAD & 0xFF))

void timer0_init(void);

#endif
