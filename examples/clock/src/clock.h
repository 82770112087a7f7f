/* Time of day, kept by the timer 0 interrupt. */
#ifndef CLOCK_H
#define CLOCK_H

/* Timer 0 overflows every 1 ms at 12 MHz; this many make one second. */
#define TICKS_PER_SECOND 1000

void clock_init(void);
void clock_set(unsigned char hours, unsigned char minutes);
unsigned char clock_hours(void);
unsigned char clock_minutes(void);

#endif
