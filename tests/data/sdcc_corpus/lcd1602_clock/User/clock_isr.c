/* ¶¨Ê±Æ÷ 0 ÖÐ¶Ï£º50ms */
#include <REG52.H>
#include "clock.h"

void timer0_isr(void) interrupt 1
{
    static unsigned char count;

    TH0 = (65536 - 50000) / 256;
    TL0 = (65536 - 50000) % 256;
    if (++count >= 20) {
        count = 0;
        sec_flag = 1;
    }
}
