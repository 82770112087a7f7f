/* STC15F2K60S2 调光：P1.0 输出软件 PWM，P3.2 按键切换四档亮度。
   定时器中断写在这里，和 main() 在同一个文件。 */
#include <stc15.h>
#include "..\LIB\PWM.H"

static unsigned char code duty_levels[] = { 0, 25, 50, 100 };
static unsigned char pwm_count;
static unsigned char level = 1;
static bit key_down;

void timer0_isr(void) interrupt 1 using 1
{
    if (++pwm_count >= PWM_STEPS)
        pwm_count = 0;
    P10 = pwm_count < pwm_duty;
}

static void key_poll(void)
{
    if (!P32) {
        if (!key_down) {
            key_down = 1;
            level = (level + 1) & 3;
            pwm_duty = duty_levels[level];
        }
    } else {
        key_down = 0;
    }
}

void main(void)
{
    P10 = 0;
    pwm_duty = duty_levels[level];
    pwm_init();
    EA = 1;
    while (1)
        key_poll();
}
