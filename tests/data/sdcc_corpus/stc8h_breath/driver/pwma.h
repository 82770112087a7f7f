#ifndef PWMA_H
#define PWMA_H

#define PWM_PERIOD 1000     /* counts per PWM period */

void pwma_init(void);
void pwma_set_duty(unsigned int duty);

#endif
