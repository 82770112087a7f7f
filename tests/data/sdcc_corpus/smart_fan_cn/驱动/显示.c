/* 状态灯：P1.0~P1.2 三个档位灯，P1.3~P1.6 定时剩余（每灯 15 分钟）。 */
#include <reg52.h>
#include "显示.h"

void show_status(unsigned char level, unsigned char minutes)
{
    unsigned char leds = 0;
    unsigned char i;

    for (i = 0; i < level; i++)
        leds |= 1 << i;
    for (i = 0; i < 4 && minutes; i++) {
        leds |= 0x08 << i;
        minutes = minutes > 15 ? minutes - 15 : 0;
    }
    P1 = (P1 & 0x80) | (~leds & 0x7F);
}
