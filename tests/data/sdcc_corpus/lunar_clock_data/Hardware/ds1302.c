/* DS1302 实时时钟 */
#include "ds1302.h"

#define BCD2BIN(x)  (((x) >> 4) * 10 + ((x) & 0x0F))
#define BIN2BCD(x)  ((((x) / 10) << 4) | ((x) % 10))

static void DS1302_WriteByte(uint8 dat)
{
    uint8 i;
    for (i = 0; i < 8; i++)
    {
        RTC_IO = dat & 0x01;
        RTC_SCLK = 1;
        _nop_();
        RTC_SCLK = 0;
        dat >>= 1;
    }
}

static uint8 DS1302_ReadByte(void)
{
    uint8 i, dat = 0;
    for (i = 0; i < 8; i++)
    {
        dat >>= 1;
        if (RTC_IO) dat |= 0x80;
        RTC_SCLK = 1;
        _nop_();
        RTC_SCLK = 0;
    }
    return dat;
}

static void DS1302_Write(uint8 addr, uint8 dat)
{
    RTC_RST = 0;
    RTC_SCLK = 0;
    RTC_RST = 1;
    DS1302_WriteByte(addr);
    DS1302_WriteByte(dat);
    RTC_RST = 0;
}

static uint8 DS1302_Read(uint8 addr)
{
    uint8 dat;
    RTC_RST = 0;
    RTC_SCLK = 0;
    RTC_RST = 1;
    DS1302_WriteByte(addr | 0x01);
    dat = DS1302_ReadByte();
    RTC_RST = 0;
    RTC_IO = 0;
    return dat;
}

void DS1302_Init(void)
{
    uint8 sec;
    DS1302_Write(0x8E, 0x00);          /* 允许写 */
    sec = DS1302_Read(0x80);
    if (sec & 0x80)                    /* 时钟停止, 初始化 */
    {
        DS1302_Write(0x80, 0x00);
        DS1302_Write(0x90, 0xA5);      /* 涓流充电 */
    }
    DS1302_Write(0x8E, 0x80);
}

void DS1302_ReadTime(DATETIME *t)
{
    uint8 buf[7];
    uint8 i;
    RTC_RST = 0;
    RTC_SCLK = 0;
    RTC_RST = 1;
    DS1302_WriteByte(0xBF);            /* 时钟突发读 */
    for (i = 0; i < 7; i++)
        buf[i] = DS1302_ReadByte();
    RTC_RST = 0;
    t->sec   = BCD2BIN(buf[0] & 0x7F);
    t->min   = BCD2BIN(buf[1]);
    t->hour  = BCD2BIN(buf[2] & 0x3F);
    t->day   = BCD2BIN(buf[3]);
    t->month = BCD2BIN(buf[4]);
    t->week  = buf[5] & 0x07;
    t->year  = BCD2BIN(buf[6]);
    if (t->week == 7) t->week = 0;
}

void DS1302_WriteTime(DATETIME *t)
{
    DS1302_Write(0x8E, 0x00);
    DS1302_Write(0x80, 0x80);          /* 暂停 */
    DS1302_Write(0x82, BIN2BCD(t->min));
    DS1302_Write(0x84, BIN2BCD(t->hour));
    DS1302_Write(0x86, BIN2BCD(t->day));
    DS1302_Write(0x88, BIN2BCD(t->month));
    DS1302_Write(0x8A, t->week ? t->week : 7);
    DS1302_Write(0x8C, BIN2BCD(t->year));
    DS1302_Write(0x80, BIN2BCD(t->sec));
    DS1302_Write(0x8E, 0x80);
}

uint8 DS1302_ReadRam(uint8 addr)
{
    return DS1302_Read(0xC0 + (addr << 1));
}

void DS1302_WriteRam(uint8 addr, uint8 dat)
{
    DS1302_Write(0x8E, 0x00);
    DS1302_Write(0xC0 + (addr << 1), dat);
    DS1302_Write(0x8E, 0x80);
}

void DS1302_BurstReadRam(uint8 *buf, uint8 len)
{
    RTC_RST = 0;
    RTC_SCLK = 0;
    RTC_RST = 1;
    DS1302_WriteByte(0xFF);
    while (len--)
        *buf++ = DS1302_ReadByte();
    RTC_RST = 0;
}

void DS1302_BurstWriteRam(uint8 *buf, uint8 len)
{
    DS1302_Write(0x8E, 0x00);
    RTC_RST = 0;
    RTC_SCLK = 0;
    RTC_RST = 1;
    DS1302_WriteByte(0xFE);
    while (len--)
        DS1302_WriteByte(*buf++);
    RTC_RST = 0;
    DS1302_Write(0x8E, 0x80);
}
