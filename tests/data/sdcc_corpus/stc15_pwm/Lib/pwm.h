#ifndef __PWM_H_
#define __PWM_H_

#define PWM_STEPS 100           /* 一个周期 100 个中断 */

extern unsigned char pwm_duty;  /* 0~100 */

void pwm_init(void);

#endif
