#ifndef __COMMON_H__
#define __COMMON_H__

#include <REG52.H>

typedef unsigned char u8;
typedef unsigned int  u16;
typedef unsigned long u32;

/* 时间结构体, 各字段都是十进制 (不是 BCD) */
typedef struct
{
    u8 year;        /* 0-99 */
    u8 mon;
    u8 day;
    u8 hour;
    u8 min;
    u8 sec;
    u8 week;
} TIME;

typedef union
{
    u32 l;
    u8  b[4];
} LONG_BYTES;

#define BCD2DEC(x)  (((x) >> 4) * 10 + ((x) & 0x0F))
#define DEC2BCD(x)  ((((x) / 10) << 4) | ((x) % 10))

#endif
