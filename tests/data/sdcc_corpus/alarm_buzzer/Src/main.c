/* 门磁报警器：定时器 1 每 250us 中断一次，报警时把蜂鸣器翻转出 2kHz 的声音，
   每 4 次中断（1ms）跑一次报警逻辑。 */
#include "board.h"
#include "alarm.h"

static unsigned char div4;
static bit tick_1ms;

void timer1_isr(void) interrupt 3
{
    if (alarm_on)
        BEEP = !BEEP;
    else
        BEEP = 1;
    if (++div4 >= 4) {
        div4 = 0;
        tick_1ms = 1;
    }
}

void main(void)
{
    unsigned int run_ms = 0;

    TMOD = 0x20;            /* 定时器 1 模式 2 */
    TH1 = TL1 = 256 - 250;
    ET1 = 1;
    TR1 = 1;
    EA = 1;
    while (1) {
        if (tick_1ms) {
            tick_1ms = 0;
            alarm_poll_1ms();
            if (++run_ms >= 500) {  /* 运行灯半秒一闪 */
                run_ms = 0;
                LED_RUN = !LED_RUN;
            }
        }
    }
}
