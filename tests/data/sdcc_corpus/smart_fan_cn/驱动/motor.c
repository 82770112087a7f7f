/* 风扇电机：P1.7 低电平驱动三极管。10 步 PWM，三档占空比 40/70/100%。 */
#include <reg52.h>
#include "motor.h"

sbit MOTOR = P1^7;

unsigned char motor_level;
static unsigned char phase;
static unsigned char code duty_of_level[] = { 0, 4, 7, 10 };

void motor_init(void)
{
    MOTOR = 1;
    motor_level = 0;
}

void motor_pwm_tick(void)
{
    if (++phase >= 10)
        phase = 0;
    MOTOR = !(phase < duty_of_level[motor_level]);
}
