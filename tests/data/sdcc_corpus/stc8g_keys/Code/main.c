/* 三键调节：上下键改亮度档位，设置键短按开关灯，长按恢复默认。
   1ms 定时中断和 main 放在一起。 */
#include "config.h"
#include "key.h"

unsigned char idata boot_flag _at_ 0xF0;

static unsigned char level = 5;
static bit led_on = 1;
static bit tick_10ms;
static unsigned char ms_count;
static unsigned char pwm_phase;

void timer0_isr(void) interrupt 1
{
    if (++ms_count >= 10) {
        ms_count = 0;
        tick_10ms = 1;
    }
    /* 简单的 10 档亮度 */
    if (++pwm_phase >= 10)
        pwm_phase = 0;
    LED = !(led_on && pwm_phase < level);
}

static void timer0_init(void)
{
    AUXR |= 0x80;           /* 1T */
    TMOD &= 0xF0;
    TL0 = (unsigned char)(65536 - FOSC / 1000);
    TH0 = (unsigned char)((65536 - FOSC / 1000) >> 8);
    TR0 = 1;
    ET0 = 1;
}

void main(void)
{
    P3M0 = 0x00;            /* 准双向 */
    P3M1 = 0x00;
    P5M0 |= 0x20;           /* P5.5 推挽 */
    P5M1 &= ~0x20;
    if (boot_flag != BOOT_MAGIC) {   /* 冷启动：恢复默认档位 */
        boot_flag = BOOT_MAGIC;
        level = 5;
    }
    timer0_init();
    EA = 1;
    while (1) {
        if (!tick_10ms)
            continue;
        tick_10ms = 0;
        key_scan_10ms();
        switch (key_get_event()) {
        case EV_UP:
            if (level < 10) level++;
            break;
        case EV_DOWN:
            if (level > 0) level--;
            break;
        case EV_SET:
            led_on = !led_on;
            break;
        case EV_SET_LONG:
            level = 5;
            led_on = 1;
            break;
        default:
            break;
        }
    }
}
