/* 恒温箱控制器的骨架：上电读参数、开机次数加一存回去，主循环喂狗。 */
#include <STC15F2K60S2.H>
#include "..\DRIVER\WDT.H"
#include "Settings.h"

sbit RELAY = P5^5;

void main(void)
{
    unsigned int loops = 0;

    RELAY = 0;
    settings_load();
    settings.boots++;
    settings_save();
    wdt_start();
    while (1) {
        wdt_feed();
        if (++loops == 0)
            RELAY = !RELAY;
    }
}
