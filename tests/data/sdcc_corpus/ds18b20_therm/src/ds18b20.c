/* DS18B20 单总线，数据线接 P3.7。12MHz 晶振，延时按机器周期算。 */
#include <reg52.h>
#include <intrins.h>
#include "..\Inc\DS18B20.H"

sbit DQ = P3^7;

/* 大约 n*8us */
static void delay8us(unsigned char n)
{
    while (n--) {
        _nop_();
        _nop_();
        _nop_();
        _nop_();
    }
}

/* 复位，返回 1 表示有器件应答 */
bit ds_reset(void)
{
    bit present;

    DQ = 1;
    _nop_();
    DQ = 0;
    delay8us(60);       /* 拉低 480us 以上 */
    DQ = 1;
    delay8us(8);
    present = !DQ;
    delay8us(50);
    return present;
}

static void ds_write(unsigned char dat)
{
    unsigned char i;

    for (i = 0; i < 8; i++) {
        DQ = 0;
        _nop_();
        DQ = dat & 0x01;
        delay8us(8);
        DQ = 1;
        dat >>= 1;
    }
}

static unsigned char ds_read(void)
{
    unsigned char i, dat = 0;

    for (i = 0; i < 8; i++) {
        dat >>= 1;
        DQ = 0;
        _nop_();
        DQ = 1;
        _nop_();
        _nop_();
        if (DQ)
            dat |= 0x80;
        delay8us(7);
    }
    return dat;
}

int ds_read_temp(void)
{
    unsigned char lo, hi;
    int raw;

    if (!ds_reset())
        return DS_ERROR;
    ds_write(0xCC);     /* 跳过 ROM */
    ds_write(0x44);     /* 启动转换 */
    if (!ds_reset())
        return DS_ERROR;
    ds_write(0xCC);
    ds_write(0xBE);     /* 读暂存器 */
    lo = ds_read();
    hi = ds_read();
    raw = ((int)hi << 8) | lo;
    /* 0.0625 度一个单位，换成 0.1 度 */
    return (int)(((long)raw * 10) >> 4);
}
