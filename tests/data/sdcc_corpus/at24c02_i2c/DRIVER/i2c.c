/* 软件模拟 I2C：SCL=P2.1，SDA=P2.0。
   12MHz 下一个 _nop_ 是 1us，够 100kHz 用。 */
#include <reg52.h>
#include <intrins.h>
#include "i2c.h"

sbit SCL = P2^1;
sbit SDA = P2^0;

#define DELAY() (_nop_(), _nop_(), _nop_(), _nop_())

void i2c_start(void)
{
    SDA = 1, SCL = 1, DELAY();
    SDA = 0, DELAY();
    SCL = 0;
}

void i2c_stop(void)
{
    SDA = 0, SCL = 1, DELAY();
    SDA = 1, DELAY();
}

bit i2c_send(unsigned char dat)
{
    unsigned char i;
    bit ack;

    for (i = 0; i < 8; i++) {
        SDA = (dat & 0x80) != 0;
        dat <<= 1;
        SCL = 1, DELAY(), SCL = 0;
    }
    SDA = 1;                /* 释放总线读应答 */
    SCL = 1, DELAY();
    ack = !SDA;
    SCL = 0;
    return ack;
}

unsigned char i2c_recv(bit ack)
{
    unsigned char i, dat = 0;

    SDA = 1;
    for (i = 0; i < 8; i++) {
        SCL = 1, DELAY();
        dat = (dat << 1) | SDA;
        SCL = 0, _nop_();
    }
    SDA = !ack;
    SCL = 1, DELAY(), SCL = 0;
    SDA = 1;
    return dat;
}
