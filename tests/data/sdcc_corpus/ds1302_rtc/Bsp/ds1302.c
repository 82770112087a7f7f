/* DS1302 三线接口：SCLK=P1.0，IO=P1.1，CE=P1.2。低位先发。 */
#include <reg52.h>
#include <intrins.h>
#include "ds1302.h"

sbit RTC_SCLK = P1^0;
sbit RTC_IO   = P1^1;
sbit RTC_CE   = P1^2;

static void write_byte(unsigned char b)
{
    unsigned char i;

    for (i = 0; i < 8; i++) {
        RTC_IO = b & 0x01;
        RTC_SCLK = 1;
        _nop_();
        RTC_SCLK = 0;
        b >>= 1;
    }
}

static unsigned char read_byte(void)
{
    unsigned char i, b = 0;

    for (i = 0; i < 8; i++) {
        b >>= 1;
        if (RTC_IO)
            b |= 0x80;
        RTC_SCLK = 1;
        _nop_();
        RTC_SCLK = 0;
    }
    return b;
}

static void write_reg(unsigned char addr, unsigned char dat)
{
    RTC_CE = 0;
    RTC_SCLK = 0;
    RTC_CE = 1;
    write_byte(addr);
    write_byte(dat);
    RTC_CE = 0;
}

/* 突发模式一次读 7 个时间寄存器 */
void ds1302_read_time(rtc_time_t *t)
{
    unsigned char *p = (unsigned char *)t;
    unsigned char i;

    RTC_CE = 0;
    RTC_SCLK = 0;
    RTC_CE = 1;
    write_byte(0xBF);
    for (i = 0; i < 7; i++)
        p[i] = read_byte();
    RTC_CE = 0;
}

void ds1302_write_time(const rtc_time_t *t)
{
    const unsigned char *p = (const unsigned char *)t;
    unsigned char i;

    write_reg(0x8E, 0x00);          /* 去写保护 */
    for (i = 0; i < 7; i++)
        write_reg(0x80 + i * 2, p[i]);
    write_reg(0x8E, 0x80);
}

void ds1302_init(void)
{
    unsigned char sec;

    RTC_CE = 0;
    RTC_SCLK = 0;
    RTC_CE = 1;
    write_byte(0x81);               /* 读秒寄存器 */
    sec = read_byte();
    RTC_CE = 0;
    if (sec & 0x80) {               /* CH=1：时钟停着，第一次上电 */
        static const rtc_time_t code first = { 0x00, 0x00, 0x12, 0x01, 0x01, 0x01, 0x24 };
        ds1302_write_time(&first);
    }
}
