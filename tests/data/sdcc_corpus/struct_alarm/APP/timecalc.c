/* 时间计算: 结构体按值传入传出 */
#include "timecalc.h"

static u8 code days_in_month[13] = { 0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };

static u8 Month_Days(u8 year, u8 mon)
{
    if (mon == 2 && (year % 4) == 0) return 29;
    return days_in_month[mon];
}

TIME Time_AddMinutes(TIME t, u16 minutes)
{
    u16 m = t.min + minutes;
    t.min = m % 60;
    m = t.hour + m / 60;
    t.hour = m % 24;
    m /= 24;
    while (m--)
    {
        t.week = t.week % 7 + 1;
        if (++t.day > Month_Days(t.year, t.mon))
        {
            t.day = 1;
            if (++t.mon > 12) { t.mon = 1; t.year++; }
        }
    }
    return t;
}

/* a<b 返回 -1, 相等 0, a>b 1 (只比较时分秒) */
char Time_Compare(TIME a, TIME b)
{
    if (a.hour != b.hour) return a.hour < b.hour ? -1 : 1;
    if (a.min  != b.min)  return a.min  < b.min  ? -1 : 1;
    if (a.sec  != b.sec)  return a.sec  < b.sec  ? -1 : 1;
    return 0;
}

u32 Time_ToSeconds(TIME t)
{
    return (u32)t.hour * 3600 + (u16)t.min * 60 + t.sec;
}

TIME Time_FromSeconds(u32 s)
{
    TIME t = { 0 };
    t.hour = s / 3600;
    s %= 3600;
    t.min = s / 60;
    t.sec = s % 60;
    return t;
}
