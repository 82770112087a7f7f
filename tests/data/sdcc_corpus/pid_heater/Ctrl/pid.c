/* 位置式 PID，积分限幅防止饱和 */
#include "pid.h"

#define I_LIMIT 1600

void pid_init(pid_t *p, int kp, int ki, int kd)
{
    p->kp = kp;
    p->ki = ki;
    p->kd = kd;
    p->integral = 0;
    p->last_error = 0;
}

unsigned char pid_update(pid_t *p, int setpoint, int measured)
{
    int error = setpoint - measured;
    long out;

    p->integral += error;
    if (p->integral > I_LIMIT) p->integral = I_LIMIT;
    if (p->integral < -I_LIMIT) p->integral = -I_LIMIT;
    out = (long)p->kp * error + (long)p->ki * p->integral
        + (long)p->kd * (error - p->last_error);
    p->last_error = error;
    out /= 16;
    if (out < 0) out = 0;
    if (out > 100) out = 100;
    return (unsigned char)out;
}
