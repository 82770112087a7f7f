/* 定时器 0 中断：10ms 一次，按占空比开关可控硅（P1.4 低电平导通），
   一个周期 100 次中断 = 1 秒，过零触发的可控硅用这种慢 PWM 正合适。 */
#include <REG52.H>
#include "heater.h"

sbit TRIAC = P1^4;

volatile unsigned char heater_power;    /* 0~100 */
volatile bit control_tick;              /* 每秒一次 */
static unsigned char slot;

void timer0_isr(void) interrupt 1 using 1
{
    TH0 = (65536 - 10000) >> 8;
    TL0 = (65536 - 10000) & 0xFF;
    TRIAC = !(slot < heater_power);
    if (++slot >= 100) {
        slot = 0;
        control_tick = 1;
    }
}
