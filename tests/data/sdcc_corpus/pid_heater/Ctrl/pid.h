#ifndef __PID_H__
#define __PID_H__

/* 定点 PID：系数放大 16 倍，输出 0~100（%） */
typedef struct {
    int kp, ki, kd;         /* x16 */
    int integral;
    int last_error;
} pid_t;

void pid_init(pid_t *p, int kp, int ki, int kd);
unsigned char pid_update(pid_t *p, int setpoint, int measured);

#endif
