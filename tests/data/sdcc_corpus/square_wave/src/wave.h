#ifndef WAVE_H
#define WAVE_H

#define HALF_PERIOD 200     /* machine cycles, at most 256 */

void wave_timer_init(unsigned int half_period);
void slow_delay(void);

#endif
