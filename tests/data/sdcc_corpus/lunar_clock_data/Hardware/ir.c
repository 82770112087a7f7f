/* NEC 红外解码: INT1 下降沿 + T0 计时 (12MHz, 1us/计数) */
#include "ir.h"

uint8 idata ir_data[4];
static uint8 ir_bit_cnt = 0;
static uint8 ir_state = 0;
static uint8 ir_repeat = 0;

void IR_Init(void)
{
    TMOD = (TMOD & 0xF0) | 0x01;     /* T0 16位, 只计时不中断 */
    TH0 = 0;
    TL0 = 0;
    TR0 = 1;
    IT1 = 1;                          /* 下降沿 */
    EX1 = 1;
}

static uint16 IR_Period(void)
{
    uint16 t;
    TR0 = 0;
    t = ((uint16)TH0 << 8) | TL0;
    TH0 = 0;
    TL0 = 0;
    TR0 = 1;
    return t;
}

static void IR_StoreBit(bit b)
{
    uint8 idx = ir_bit_cnt >> 3;
    ir_data[idx] >>= 1;
    if (b) ir_data[idx] |= 0x80;
    if (++ir_bit_cnt >= 32)
    {
        ir_state = 0;
        if ((uint8)(ir_data[2] ^ ir_data[3]) == 0xFF)
        {
            ir_code = ir_data[2];
            f_ir = 1;
            ir_repeat = 0;
        }
    }
}

void IR_ISR(void) interrupt 2
{
    uint16 t = IR_Period();
    switch (ir_state)
    {
    case 0:                       /* 第一个下降沿 */
        ir_state = 1;
        break;
    case 1:                       /* 引导码 13.5ms 或 重复码 11.25ms */
        if (t > 12500 && t < 14500)
        {
            ir_state = 2;
            ir_bit_cnt = 0;
        }
        else if (t > 10500 && t < 12000)
        {
            if (++ir_repeat > 3) f_ir = 1;    /* 长按连发 */
            ir_state = 1;
        }
        else
            ir_state = 1;
        break;
    default:                      /* 数据位 1.12ms=0  2.25ms=1 */
        if (t > 900 && t < 1400)
            IR_StoreBit(0);
        else if (t > 1900 && t < 2600)
            IR_StoreBit(1);
        else
            ir_state = 1;
        break;
    }
}
