/* 走时：定时器 0 每 50ms 中断一次，20 次为一秒。 */
#include <REG52.H>
#include "Clock.h"

clock_t now = { 12, 0, 0 };
bit sec_flag;

void clock_start(void)
{
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = (65536 - 50000) / 256;
    TL0 = (65536 - 50000) % 256;
    ET0 = 1;
    TR0 = 1;
}

void clock_tick(void)
{
    if (++now.sec < 60)
        return;
    now.sec = 0;
    if (++now.min < 60)
        return;
    now.min = 0;
    if (++now.hour >= 24)
        now.hour = 0;
}

/* "hh:mm:ss" */
void clock_format(char *buf)
{
    buf[0] = '0' + now.hour / 10;
    buf[1] = '0' + now.hour % 10;
    buf[2] = ':';
    buf[3] = '0' + now.min / 10;
    buf[4] = '0' + now.min % 10;
    buf[5] = ':';
    buf[6] = '0' + now.sec / 10;
    buf[7] = '0' + now.sec % 10;
    buf[8] = '\0';
}
