#include "iic.h"
#include <intrins.h>

#define delay4us() {_nop_();_nop_();_nop_();_nop_();}

void IIC_Start(void)
{
    IIC_SDA = 1; IIC_SCL = 1; delay4us();
    IIC_SDA = 0; delay4us();
    IIC_SCL = 0;
}

void IIC_Stop(void)
{
    IIC_SDA = 0; IIC_SCL = 1; delay4us();
    IIC_SDA = 1; delay4us();
}

void IIC_Ack(bit ack)
{
    IIC_SDA = ack ? 0 : 1;
    IIC_SCL = 1; delay4us();
    IIC_SCL = 0;
    IIC_SDA = 1;
}

/* ·µ»Ø 0: ÓÐÓ¦´ð */
bit IIC_WaitAck(void)
{
    unsigned char t = 0;
    IIC_SDA = 1; IIC_SCL = 1; delay4us();
    while (IIC_SDA) {
        if (++t > 250) { IIC_SCL = 0; return 1; }
    }
    IIC_SCL = 0;
    return 0;
}

void IIC_WriteByte(unsigned char d)
{
    unsigned char i;
    for (i = 0; i < 8; i++) {
        IIC_SDA = (d & 0x80) != 0;
        d <<= 1;
        IIC_SCL = 1; delay4us();
        IIC_SCL = 0; delay4us();
    }
}

unsigned char IIC_ReadByte(void)
{
    unsigned char i, d = 0;
    IIC_SDA = 1;
    for (i = 0; i < 8; i++) {
        IIC_SCL = 1; delay4us();
        d <<= 1;
        if (IIC_SDA) d++;
        IIC_SCL = 0; delay4us();
    }
    return d;
}
