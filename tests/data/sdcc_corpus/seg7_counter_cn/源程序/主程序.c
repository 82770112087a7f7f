/* 计数器：P3.2 每按一次加一，P3.3 清零，四位数码管显示。
   定时器 0 每 2ms 中断一次刷新数码管，中断函数就写在这里。 */
#include <reg52.h>
#include "数码管.h"
#include "延时.h"

sbit KEY_ADD   = P3^2;     /* 加一 */
sbit KEY_CLEAR = P3^3;     /* 清零 */

static unsigned int count;

void timer0_isr(void) interrupt 1
{
    TH0 = (65536 - 2000) >> 8;
    TL0 = (65536 - 2000) & 0xFF;
    seg_refresh();
}

void main(void)
{
    TMOD = 0x01;
    TH0 = (65536 - 2000) >> 8;
    TL0 = (65536 - 2000) & 0xFF;
    ET0 = 1;
    TR0 = 1;
    EA = 1;
    seg_set(0);
    while (1) {
        if (!KEY_ADD) {
            delay_ms(10);           /* 去抖 */
            if (!KEY_ADD) {
                if (++count > 9999)
                    count = 0;
                seg_set(count);
                while (!KEY_ADD)
                    ;               /* 等松手 */
            }
        }
        if (!KEY_CLEAR) {
            count = 0;
            seg_set(0);
        }
    }
}
