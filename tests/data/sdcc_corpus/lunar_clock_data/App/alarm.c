/* 闹钟: 3组, 存在 DS1302 RAM 中 */
#include "alarm.h"
#include "..\Hardware\ds1302.h"
#include "..\Hardware\timer2.h"

#define RAM_MAGIC  0x3C

static uint8 ring_min = 0;         /* 响铃分钟计数 */
static uint8 snooze_h = 0xFF, snooze_m = 0;

void Alarm_Load(void)
{
    uint8 buf[ALARM_NUM * 4 + 2];
    uint8 i, sum = 0;
    DS1302_BurstReadRam(buf, sizeof(buf));
    for (i = 0; i < ALARM_NUM * 4; i++)
        sum += buf[i + 1];
    if (buf[0] != RAM_MAGIC || buf[ALARM_NUM * 4 + 1] != sum)
    {
        for (i = 0; i < ALARM_NUM; i++)
        {
            alarms[i].hour = 7 + i;
            alarms[i].min = 0;
            alarms[i].days = 0x3E;      /* 周一到周五 */
            alarms[i].enable = 0;
        }
        return;
    }
    for (i = 0; i < ALARM_NUM; i++)
    {
        alarms[i].hour   = buf[1 + i * 4];
        alarms[i].min    = buf[2 + i * 4];
        alarms[i].days   = buf[3 + i * 4];
        alarms[i].enable = buf[4 + i * 4];
    }
}

void Alarm_Save(void)
{
    uint8 buf[ALARM_NUM * 4 + 2];
    uint8 i, sum = 0;
    buf[0] = RAM_MAGIC;
    for (i = 0; i < ALARM_NUM; i++)
    {
        buf[1 + i * 4] = alarms[i].hour;
        buf[2 + i * 4] = alarms[i].min;
        buf[3 + i * 4] = alarms[i].days;
        buf[4 + i * 4] = alarms[i].enable;
    }
    for (i = 0; i < ALARM_NUM * 4; i++)
        sum += buf[i + 1];
    buf[ALARM_NUM * 4 + 1] = sum;
    DS1302_BurstWriteRam(buf, sizeof(buf));
}

static bit Alarm_Match(ALARM *a, uint8 hh, uint8 mm, uint8 week)
{
    if (!a->enable) return 0;
    if (!(a->days & (1 << week))) return 0;
    return a->hour == hh && a->min == mm;
}

void Alarm_Check(DATETIME *t)
{
    uint8 i;
    if (t->sec != 0)
        return;
    if (f_alarm_ring)
    {
        if (++ring_min >= 2)       /* 响2分钟自动停 */
            Alarm_Stop(1);
        return;
    }
    for (i = 0; i < ALARM_NUM; i++)
    {
        if (Alarm_Match(&alarms[i], t->hour, t->min, t->week))
            break;
    }
    if (i == ALARM_NUM && !(snooze_h == t->hour && snooze_m == t->min))
    {
        if (f_hour_chime && t->min == 0 && t->hour >= 8 && t->hour <= 21)
            Buzz_Pattern(0xA0, 1);  /* 整点报时 */
        return;
    }
    f_alarm_ring = 1;
    ring_min = 0;
    snooze_h = 0xFF;
    Buzz_Pattern(0xCC, 0xFF);
}

void Alarm_Stop(bit snooze)
{
    f_alarm_ring = 0;
    Buzz_Stop();
    if (snooze)
    {
        snooze_m = now.min + snooze_min;
        snooze_h = now.hour;
        if (snooze_m >= 60)
        {
            snooze_m -= 60;
            if (++snooze_h >= 24) snooze_h = 0;
        }
    }
}

/* 找出下一个闹钟, 返回编号, 0xFF 无 */
uint8 Alarm_Next(DATETIME *t, uint8 *hh, uint8 *mm)
{
    uint8 i, best = 0xFF;
    uint16 now_m = t->hour * 60 + t->min;
    uint16 best_d = 0xFFFF, d, am;
    for (i = 0; i < ALARM_NUM; i++)
    {
        if (!alarms[i].enable) continue;
        am = alarms[i].hour * 60 + alarms[i].min;
        d = (am > now_m) ? am - now_m : am + 1440 - now_m;
        if (d < best_d)
        {
            best_d = d;
            best = i;
        }
    }
    if (best != 0xFF)
    {
        *hh = alarms[best].hour;
        *mm = alarms[best].min;
    }
    return best;
}
