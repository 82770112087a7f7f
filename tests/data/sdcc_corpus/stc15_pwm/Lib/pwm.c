/* 软件 PWM 的定时器设置：T0 工作在 8 位自动重装，12T，每 100 个时钟中断一次。 */
#include <STC15.H>
#include "pwm.h"

unsigned char pwm_duty;

void pwm_init(void)
{
    AUXR &= 0x7F;       /* 定时器0 12T 模式 */
    TMOD &= 0xF0;
    TMOD |= 0x02;       /* 模式2 */
    TH0 = 256 - 100;
    TL0 = 256 - 100;
    P1M1 &= ~0x01;      /* P1.0 推挽输出 */
    P1M0 |= 0x01;
    ET0 = 1;
    TR0 = 1;
}
