/* 数码管动态扫描：每次只点亮一位，轮流刷新，看起来就是同时亮。 */
#include <reg52.h>
#include "数码管.h"

static unsigned char code seg_code[] = {    /* 共阴段码 0~9 */
    0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F
};
static unsigned char digit_buf[4];
static unsigned char digit_pos;

void seg_set(unsigned int value)
{
    digit_buf[3] = value % 10;
    digit_buf[2] = value / 10 % 10;
    digit_buf[1] = value / 100 % 10;
    digit_buf[0] = value / 1000 % 10;
}

void seg_refresh(void)
{
    P0 = 0x00;                                  /* 消影 */
    P2 = (P2 & 0xE3) | ((3 - digit_pos) << 2);  /* 138 选位 */
    P0 = seg_code[digit_buf[digit_pos]];
    if (++digit_pos >= 4)
        digit_pos = 0;
}
