/* 步进电机控制  C 与汇编共享变量 */
#ifndef __MOTOR_H__
#define __MOTOR_H__

/* C 中定义, 汇编中断里使用 */
extern unsigned char step_dir;        /* 0 正转 1 反转 */
extern unsigned int  steps_left;      /* 剩余步数 */
extern bit           motor_run;
extern unsigned char speed_reload;    /* TH0 重装值 */

/* 汇编中定义 */
extern unsigned char phase_idx;       /* 当前相位 0-7 */
extern bit           step_done;
extern unsigned char code half_step[8];

/* 汇编函数 */
void motor_start(unsigned int steps);
unsigned char get_phase(void);
void motor_stop(void);

/* 汇编中断调用的 C 函数 */
void on_step_done(void);
void log_pos(unsigned char pos);
#endif
