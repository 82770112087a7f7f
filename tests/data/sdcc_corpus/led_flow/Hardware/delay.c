/* 软件延时，12MHz 晶振下大约 1ms 一圈外层循环。
   这种延时只是个大概，定时要准请用定时器。 */
#include "delay.h"

void delay_ms(unsigned int ms)
{
    unsigned char j;

    while (ms--) {
        for (j = 0; j < 120; j++)
            ;
    }
}
