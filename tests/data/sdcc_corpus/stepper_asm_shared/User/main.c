/**********************************************************
 * 步进电机 (28BYJ-48 + ULN2003) 半步驱动
 * 中断与驱动用汇编 (STEP.A51), 逻辑用 C
 * P1.0-P1.3: A B C D
 **********************************************************/
#include <reg52.h>
#include "motor.h"

unsigned char step_dir = 0;
unsigned int  steps_left = 0;
bit           motor_run = 0;
unsigned char speed_reload = 0xF0;
unsigned char done_count = 0;
unsigned char last_pos = 0;

void on_step_done(void)
{
    done_count++;
    P2 = 0xA5;
}

void log_pos(unsigned char pos)
{
    last_pos = pos;
    P0 = pos;
}

void main(void)
{
    unsigned char i;
    TMOD = 0x01;
    EA = 1;
    step_dir = 0;
    motor_start(20);              /* 20 步 */
    while (!step_done);
    P3 = get_phase() | 0xF0;      /* 20 步后相位 = 20 % 8 = 4 */
    for (i = 0; i < 8; i++)
        P2 = half_step[i];        /* 读汇编里的表 */
    P2 = half_step[3] | (done_count << 4);
    while (1);
}
