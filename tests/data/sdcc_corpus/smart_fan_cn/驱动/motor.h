#ifndef __MOTOR_H__
#define __MOTOR_H__

extern unsigned char motor_level;   /* 0 Í££¬1~3 µµ */

void motor_init(void);
void motor_pwm_tick(void);          /* 100us µ÷Ò»´Î */

#endif
