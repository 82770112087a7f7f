/***************************************************
 * AT24C02 (256 字节), 软件 I2C, 页写 8 字节
 ***************************************************/
#include "at24c02.h"
#include <intrins.h>

#define I2C_DELAY()  do { _nop_(); _nop_(); _nop_(); _nop_(); } while (0)

void I2C_Start(void)
{
    I2C_SDA = 1;
    I2C_SCL = 1;
    I2C_DELAY();
    I2C_SDA = 0;
    I2C_DELAY();
    I2C_SCL = 0;
}

void I2C_Stop(void)
{
    I2C_SDA = 0;
    I2C_SCL = 1;
    I2C_DELAY();
    I2C_SDA = 1;
    I2C_DELAY();
}

/* 返回 1 表示收到 ACK */
bit I2C_WriteByte(u8 dat)
{
    u8 i;
    bit ack;
    for (i = 0; i < 8; i++)
    {
        I2C_SDA = (dat & 0x80) ? 1 : 0;
        dat <<= 1;
        I2C_SCL = 1;
        I2C_DELAY();
        I2C_SCL = 0;
    }
    I2C_SDA = 1;
    I2C_SCL = 1;
    I2C_DELAY();
    ack = !I2C_SDA;
    I2C_SCL = 0;
    return ack;
}

/* ack = 1: 还要继续读, 发 ACK; ack = 0: 最后一个字节, 发 NACK */
u8 I2C_ReadByte(bit ack)
{
    u8 i, dat = 0;
    I2C_SDA = 1;
    for (i = 0; i < 8; i++)
    {
        dat <<= 1;
        I2C_SCL = 1;
        I2C_DELAY();
        if (I2C_SDA) dat |= 1;
        I2C_SCL = 0;
    }
    I2C_SDA = !ack;
    I2C_SCL = 1;
    I2C_DELAY();
    I2C_SCL = 0;
    I2C_SDA = 1;
    return dat;
}

bit AT24C02_Write(u8 addr, u8 dat)
{
    bit ok;
    I2C_Start();
    ok = I2C_WriteByte(0xA0);
    ok &= I2C_WriteByte(addr);
    ok &= I2C_WriteByte(dat);
    I2C_Stop();
    return ok;
}

u8 AT24C02_Read(u8 addr)
{
    u8 d;
    I2C_Start();
    I2C_WriteByte(0xA0);
    I2C_WriteByte(addr);
    I2C_Start();
    I2C_WriteByte(0xA1);
    d = I2C_ReadByte(0);
    I2C_Stop();
    return d;
}

bit AT24C02_WriteBuf(u8 addr, u8 *buf, u8 len)
{
    while (len--)
    {
        if (!AT24C02_Write(addr++, *buf++)) return 0;
    }
    return 1;
}

void AT24C02_ReadBuf(u8 addr, u8 *buf, u8 len)
{
    I2C_Start();
    I2C_WriteByte(0xA0);
    I2C_WriteByte(addr);
    I2C_Start();
    I2C_WriteByte(0xA1);
    while (len)
    {
        *buf++ = I2C_ReadByte(len > 1);
        len--;
    }
    I2C_Stop();
}
