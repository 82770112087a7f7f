/* 智能风扇：档位键循环切换 停/1/2/3 档，定时键每次加 15 分钟，最多 60 分钟，
   到时间自动停。定时器 0 每 100us 中断一次跑 PWM。 */
#include <reg52.h>
#include "..\驱动\Key.h"
#include "..\驱动\Motor.h"
#include "..\驱动\显示.h"

static unsigned int ticks;          /* 100us 计数 */
static unsigned char seconds;
static unsigned char minutes_left;
static bit timer_on;

void timer0_isr(void) interrupt 1
{
    motor_pwm_tick();
    if (++ticks >= 10000) {         /* 1 秒 */
        ticks = 0;
        if (timer_on && ++seconds >= 60) {
            seconds = 0;
            if (minutes_left && --minutes_left == 0) {
                timer_on = 0;
                motor_level = 0;
            }
        }
    }
}

void main(void)
{
    motor_init();
    TMOD = 0x02;
    TH0 = TL0 = 256 - 100;
    ET0 = 1;
    TR0 = 1;
    EA = 1;
    while (1) {
        switch (key_read()) {
        case KEY_SPEED:
            motor_level = (motor_level + 1) & 3;
            break;
        case KEY_TIMER:
            minutes_left = minutes_left >= 60 ? 0 : minutes_left + 15;
            timer_on = minutes_left != 0;
            seconds = 0;
            break;
        }
        show_status(motor_level, minutes_left);
    }
}
