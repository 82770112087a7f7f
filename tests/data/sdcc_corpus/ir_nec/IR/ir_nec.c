/* NEC 红外解码：接收头接 INT0（P3.2），下降沿中断；定时器 0 量两个下降沿
   之间的时间（12MHz，1us 一个计数）。
   引导码 13.5ms，数据 0 是 1.125ms，数据 1 是 2.25ms。 */
#include <REGX51.H>
#include "ir_nec.h"

volatile bit ir_ready;
unsigned char ir_code[4];

static unsigned char bit_count;
static bit in_frame;

void ir_init(void)
{
    TMOD = (TMOD & 0xF0) | 0x01;    /* 定时器 0 只计数，不开中断 */
    TH0 = 0;
    TL0 = 0;
    TR0 = 1;
    IT0 = 1;
    EX0 = 1;
}

void ir_isr(void) interrupt 0
{
    unsigned int width;

    width = ((unsigned int)TH0 << 8) | TL0;
    TH0 = 0;
    TL0 = 0;
    if (width > 12000 && width < 15000) {       /* 引导码 */
        in_frame = 1;
        bit_count = 0;
        return;
    }
    if (!in_frame)
        return;
    ir_code[bit_count >> 3] >>= 1;
    if (width > 1800 && width < 2700)
        ir_code[bit_count >> 3] |= 0x80;
    else if (width < 900 || width > 1400)
        in_frame = 0;                           /* 不像数据位，丢掉 */
    if (++bit_count == 32) {
        in_frame = 0;
        if ((ir_code[2] ^ ir_code[3]) == 0xFF)
            ir_ready = 1;
    }
}
