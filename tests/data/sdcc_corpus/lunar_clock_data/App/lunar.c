/*******************************************************
 * 公历转农历  (2000-2099)
 * 数据表每年 3 字节:
 *   字节0 高4位: 闰月月份(0 无闰月), 低4位 + 字节1 + 字节2 bit7: 13个月大小(1=30天)
 *   字节2 bit6-5: 春节公历月份  bit4-0: 春节公历日
 *******************************************************/
#include "lunar.h"

uint8 code lunar_tab[300] = {
    0x06,0x51,0x36, 0x0D,0x23,0xBA, 0x09,0x53,0x3D, 0x01,0x60,0x4E,   /* 2000-2003 */
    0x01,0x1E,0x36, 0x08,0xD1,0x42, 0x0F,0x28,0xBF, 0x0A,0x09,0xBE,   /* 2004-2007 */
    0x09,0x5E,0x42, 0x08,0xE8,0x39, 0x06,0xB4,0xBD, 0x01,0xE2,0x52,   /* 2008-2011 */
    0x09,0x4E,0x3A, 0x01,0x8F,0x3E, 0x00,0xF4,0x3C, 0x0C,0x6F,0xCF,   /* 2012-2015 */
    0x09,0x5E,0x4C, 0x04,0xCB,0xB7, 0x09,0x30,0xD1, 0x07,0xEB,0xCF,   /* 2016-2019 */
    0x04,0x9B,0x36, 0x02,0xA3,0xC5, 0x0E,0xEE,0xCE, 0x00,0xA0,0xBD,   /* 2020-2023 */
    0x05,0x71,0x50, 0x09,0x47,0x43, 0x0D,0x70,0xB9, 0x9A,0xA0,0x35,   /* 2024-2027 */
    0x0B,0xB2,0xD3, 0x0F,0xE3,0xCA, 0x85,0x8D,0x3C, 0x05,0xAF,0xBE,   /* 2028-2031 */
    0x01,0xDF,0xC2, 0x02,0x11,0xBB, 0x06,0x41,0x43, 0x02,0xA9,0x4D,   /* 2032-2035 */
    0x0E,0x22,0x3B, 0x0D,0xD2,0xCE, 0x0F,0xC8,0xCD, 0x01,0x53,0xB7,   /* 2036-2039 */
    0x03,0xB6,0x35, 0x07,0xC2,0x39, 0x02,0x54,0xD2, 0x05,0xE8,0x45,   /* 2040-2043 */
    0x0B,0x0C,0x3C, 0x06,0x5E,0x4D, 0x01,0xA8,0x4D, 0x00,0xFE,0xB6,   /* 2044-2047 */
    0x02,0x98,0xBA, 0x09,0x9C,0xB6, 0x00,0x00,0xBD, 0x09,0xD1,0xB6,   /* 2048-2051 */
    0x0D,0xFD,0x3E, 0x06,0x05,0x3F, 0x09,0xA2,0xD0, 0x01,0xF7,0x3C,   /* 2052-2055 */
    0x0F,0xE3,0xD0, 0x01,0x5F,0xB6, 0x0B,0xFE,0xC9, 0x07,0xA8,0x3D,   /* 2056-2059 */
    0x0F,0x37,0x45, 0x0B,0x0A,0xBD, 0x04,0xC4,0xB9, 0x0E,0x88,0x3A,   /* 2060-2063 */
    0x0C,0x59,0xBD, 0x08,0xAA,0x48, 0x0C,0xE5,0xBB, 0x0B,0xD6,0xB8,   /* 2064-2067 */
    0x08,0x48,0x4C, 0x0C,0xA4,0x50, 0x04,0x25,0xBE, 0x0F,0x4D,0xCF,   /* 2068-2071 */
    0x01,0x49,0xB6, 0x03,0xA1,0x47, 0x05,0x67,0x3C, 0xBD,0x72,0x3C,   /* 2072-2075 */
    0x0E,0x8C,0x43, 0x0D,0x5A,0xBB, 0x0E,0x39,0x3B, 0x0C,0xA0,0x43,   /* 2076-2079 */
    0x0C,0xD0,0x4F, 0x8F,0x26,0x37, 0x02,0xB8,0x35, 0x02,0x6B,0x45,   /* 2080-2083 */
    0xBF,0xAF,0x4C, 0x02,0x7E,0xB5, 0x00,0x3A,0x3D, 0x0F,0xC8,0xB8,   /* 2084-2087 */
    0x00,0x72,0xC7, 0x04,0xAF,0xBE, 0x08,0xB5,0xC5, 0x00,0xF9,0x4F,   /* 2088-2091 */
    0x0A,0x99,0x51, 0x42,0x6D,0xBC, 0x0C,0x6C,0xBE, 0x00,0x10,0x37,   /* 2092-2095 */
    0x09,0xE7,0xBD, 0x00,0xFC,0xD1, 0x08,0x7D,0xC4, 0x03,0xF9,0xB9,   /* 2096-2099 */
};

static uint8 code month_days_tab[12] = { 31,28,31,30,31,30,31,31,30,31,30,31 };
static uint16 code month_offset[12] = { 0,31,59,90,120,151,181,212,243,273,304,334 };
static uint8 code week_str[7][3] = { "日","一","二","三","四","五","六" };
static uint8 code zodiac[12][3] = { "龙","蛇","马","羊","猴","鸡","狗","猪","鼠","牛","虎","兔" };
static uint8 code num_str[11][3] = { "初","一","二","三","四","五","六","七","八","九","十" };
static uint8 code month_name[12][3] = { "正","二","三","四","五","六","七","八","九","十","冬","腊" };

static bit IsLeapYear(uint8 y)
{
    return (y & 3) == 0;          /* 2000-2099 */
}

uint8 MonthDays(uint8 year, uint8 month)
{
    if (month == 2 && IsLeapYear(year))
        return 29;
    return month_days_tab[month - 1];
}

/* 基姆拉尔森公式 */
uint8 CalcWeek(uint8 year, uint8 month, uint8 day)
{
    uint16 y = 2000 + year;
    uint8 m = month;
    if (m < 3) { m += 12; y--; }
    return (day + 2 * m + 3 * (m + 1) / 5 + y + y / 4 - y / 100 + y / 400 + 1) % 7;
}

static uint8 LunarMonthDays(uint8 yidx, uint8 m)     /* m: 0..12 */
{
    uint16 bits;
    uint8 *p = &lunar_tab[yidx * 3];
    bits = ((uint16)(p[0] & 0x0F) << 9) | ((uint16)p[1] << 1) | (p[2] >> 7);
    return (bits & (0x1000 >> m)) ? 30 : 29;
}

static uint16 DayOfYear(uint8 year, uint8 month, uint8 day)
{
    uint16 d = month_offset[month - 1] + day;
    if (month > 2 && IsLeapYear(year)) d++;
    return d;
}

bit Solar2Lunar(uint8 year, uint8 month, uint8 day, LUNAR *out)
{
    uint8 yidx = year;
    uint8 leap, m, mcount, sf_m, sf_d;
    uint16 today, spring;
    int    diff;
    if (year > 99) return 0;
    sf_m = (lunar_tab[yidx * 3 + 2] >> 5) & 3;
    sf_d = lunar_tab[yidx * 3 + 2] & 0x1F;
    today = DayOfYear(year, month, day);
    spring = DayOfYear(year, sf_m, sf_d);
    if (today < spring)
    {
        if (yidx == 0) return 0;
        yidx--;
        sf_m = (lunar_tab[yidx * 3 + 2] >> 5) & 3;
        sf_d = lunar_tab[yidx * 3 + 2] & 0x1F;
        spring = DayOfYear(yidx, sf_m, sf_d);
        diff = today + (IsLeapYear(yidx) ? 366 : 365) - spring;
    }
    else
        diff = today - spring;
    leap = lunar_tab[yidx * 3] >> 4;
    mcount = leap ? 13 : 12;
    for (m = 0; m < mcount; m++)
    {
        uint8 md = LunarMonthDays(yidx, m);
        if (diff < md) break;
        diff -= md;
    }
    out->day = diff + 1;
    if (leap && m >= leap)
    {
        if (m == leap)
            out->month = 0x80 | leap;
        else
            out->month = m;
    }
    else
        out->month = m + 1;
    return 1;
}

/* 生成 "闰四月初八" 之类的中文 */
void LunarText(LUNAR *l, uint8 *buf)
{
    uint8 m = l->month & 0x7F;
    uint8 d = l->day;
    uint8 i = 0;
    if (l->month & 0x80)
    {
        buf[i++] = 0xC8; buf[i++] = 0xF2;       /* 闰 */
    }
    buf[i++] = month_name[m - 1][0];
    buf[i++] = month_name[m - 1][1];
    buf[i++] = 0xD4; buf[i++] = 0xC2;           /* 月 */
    if (d <= 10)
    {
        buf[i++] = num_str[0][0]; buf[i++] = num_str[0][1];
        buf[i++] = num_str[d][0]; buf[i++] = num_str[d][1];
    }
    else if (d < 20)
    {
        buf[i++] = num_str[10][0]; buf[i++] = num_str[10][1];
        buf[i++] = num_str[d - 10][0]; buf[i++] = num_str[d - 10][1];
    }
    else if (d == 20 || d == 30)
    {
        buf[i++] = num_str[d / 10][0]; buf[i++] = num_str[d / 10][1];
        buf[i++] = num_str[10][0]; buf[i++] = num_str[10][1];
    }
    else
    {
        buf[i++] = (d < 30) ? 0xD8 : 0xC8; buf[i++] = (d < 30) ? 0xA5 : 0xFD;   /* 廿 / 卅 */
        buf[i++] = num_str[d % 10][0]; buf[i++] = num_str[d % 10][1];
    }
    buf[i] = 0;
}

uint8 *WeekText(uint8 w)
{
    return week_str[w % 7];
}

uint8 *ZodiacText(uint8 year)
{
    return zodiac[year % 12];
}
