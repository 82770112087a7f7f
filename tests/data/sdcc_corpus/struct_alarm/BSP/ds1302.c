/**************************************************************
 * DS1302 实时时钟, 三线接口
 * 寄存器: 0x80 秒 0x82 分 0x84 时 0x86 日 0x88 月 0x8A 星期 0x8C 年
 *         0x8E 写保护, 0xC0~0xFC 31 字节 RAM
 **************************************************************/
#include "ds1302.h"
#include <intrins.h>

static void DS1302_WriteByte(u8 dat)
{
    u8 i;
    for (i = 0; i < 8; i++)
    {
        DS1302_IO = dat & 0x01;
        DS1302_SCLK = 1;
        _nop_();
        DS1302_SCLK = 0;
        dat >>= 1;
    }
}

static u8 DS1302_ReadByte(void)
{
    u8 i, dat = 0;
    for (i = 0; i < 8; i++)
    {
        dat >>= 1;
        if (DS1302_IO) dat |= 0x80;
        DS1302_SCLK = 1;
        _nop_();
        DS1302_SCLK = 0;
    }
    return dat;
}

static void DS1302_Write(u8 addr, u8 dat)
{
    DS1302_CE = 0;
    DS1302_SCLK = 0;
    DS1302_CE = 1;
    DS1302_WriteByte(addr & 0xFE);
    DS1302_WriteByte(dat);
    DS1302_CE = 0;
}

static u8 DS1302_Read(u8 addr)
{
    u8 dat;
    DS1302_CE = 0;
    DS1302_SCLK = 0;
    DS1302_CE = 1;
    DS1302_WriteByte(addr | 0x01);
    dat = DS1302_ReadByte();
    DS1302_CE = 0;
    DS1302_IO = 0;
    return dat;
}

void DS1302_WriteProtect(bit on)
{
    DS1302_Write(0x8E, on ? 0x80 : 0x00);
}

bit DS1302_IsHalted(void)
{
    return (DS1302_Read(0x80) & 0x80) ? 1 : 0;
}

/* 一次读出全部时间, 按值返回结构体 */
TIME DS1302_GetTime(void)
{
    TIME t;
    t.sec  = BCD2DEC(DS1302_Read(0x80) & 0x7F);
    t.min  = BCD2DEC(DS1302_Read(0x82));
    t.hour = BCD2DEC(DS1302_Read(0x84) & 0x3F);
    t.day  = BCD2DEC(DS1302_Read(0x86));
    t.mon  = BCD2DEC(DS1302_Read(0x88));
    t.week = DS1302_Read(0x8A);
    t.year = BCD2DEC(DS1302_Read(0x8C));
    return t;
}

void DS1302_SetTime(TIME t)
{
    DS1302_WriteProtect(0);
    DS1302_Write(0x80, DEC2BCD(t.sec));
    DS1302_Write(0x82, DEC2BCD(t.min));
    DS1302_Write(0x84, DEC2BCD(t.hour));
    DS1302_Write(0x86, DEC2BCD(t.day));
    DS1302_Write(0x88, DEC2BCD(t.mon));
    DS1302_Write(0x8A, t.week);
    DS1302_Write(0x8C, DEC2BCD(t.year));
    DS1302_WriteProtect(1);
}

void DS1302_WriteRam(u8 addr, u8 dat)
{
    DS1302_WriteProtect(0);
    DS1302_Write(0xC0 + (addr << 1), dat);
    DS1302_WriteProtect(1);
}

u8 DS1302_ReadRam(u8 addr)
{
    return DS1302_Read(0xC1 + (addr << 1));
}

void DS1302_Init(void)
{
    DS1302_CE = 0;
    DS1302_SCLK = 0;
    if (DS1302_IsHalted())
    {
        TIME t0 = { 24, 1, 1, 8, 0, 0, 1 };
        DS1302_SetTime(t0);
    }
}
