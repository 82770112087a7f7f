/* 恒温控制：ADC0832 读 NTC 分压（这里简化成 P2 口直接读 8 位数），
   每秒算一次 PID，设定 60 度。 */
#include <REG52.H>
#include "pid.h"
#include "heater.h"

#define SETPOINT 60

static pid_t pid;

static int read_temperature(void)
{
    return P2 / 2;      /* 假设 0.5 度一个单位 */
}

void main(void)
{
    pid_init(&pid, 64, 2, 32);  /* 4.0 0.125 2.0 */
    TMOD = 0x01;
    TH0 = (65536 - 10000) >> 8;
    TL0 = (65536 - 10000) & 0xFF;
    ET0 = 1;
    TR0 = 1;
    EA = 1;
    while (1) {
        if (control_tick) {
            control_tick = 0;
            heater_power = pid_update(&pid, SETPOINT, read_temperature());
        }
    }
}
