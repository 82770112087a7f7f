/* 1602 电子钟：第一行显示标题，第二行显示时分秒。 */
#include <REG52.H>
#include "..\Include\LCD1602.h"
#include "CLOCK.H"

void main(void)
{
    char buf[9];

    lcd_init();
    lcd_puts(0, 0, "  51 CLOCK");
    clock_start();
    EA = 1;
    while (1) {
        if (sec_flag) {
            sec_flag = 0;
            clock_tick();
            clock_format(buf);
            lcd_puts(4, 1, buf);
        }
    }
}
