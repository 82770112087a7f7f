/* 四位共阳数码管：段码接 P0，位选接 P2.0~P2.3（低电平选中）。
   显示 0.1 度，第三位带小数点。 */
#include <REG52.H>
#include "..\inc\display.h"

static unsigned char code seg_table[] = {
    0xC0, 0xF9, 0xA4, 0xB0, 0x99, 0x92, 0x82, 0xF8, 0x80, 0x90,
    0xBF,   /* 10: 负号 */
    0xFF,   /* 11: 不亮 */
    0x86    /* 12: E */
};

static unsigned char disp_buf[4];
static unsigned char pos;

void disp_set_number(int value)
{
    unsigned char i;

    disp_buf[0] = 11;
    if (value < 0) {
        disp_buf[0] = 10;
        value = -value;
    }
    for (i = 3; i > 0; i--) {
        disp_buf[i] = value % 10;
        value /= 10;
    }
    if (disp_buf[1] == 0)
        disp_buf[1] = 11;
}

void disp_set_error(void)
{
    disp_buf[0] = 12;
    disp_buf[1] = disp_buf[2] = disp_buf[3] = 10;
}

/* 每调用一次点亮下一位 */
void disp_scan(void)
{
    unsigned char seg;

    P2 |= 0x0F;                 /* 消隐 */
    seg = seg_table[disp_buf[pos]];
    if (pos == 2)
        seg &= 0x7F;            /* 小数点 */
    P0 = seg;
    P2 &= ~(0x01 << pos);
    pos = (pos + 1) & 3;
}
