/*****************************************************************
 * 闹钟: DS1302 计时, AT24C02 保存闹钟时间和累计运行秒数
 * P0 P1 P2 用来看计算结果 (仿真时)
 *****************************************************************/
#include "..\BSP\common.h"
#include "..\BSP\ds1302.h"
#include "..\BSP\at24c02.h"
#include "timecalc.h"

sbit BEEP = P1^5;

#define EE_ALARM    0x00        /* 闹钟: 时 分 秒 */
#define EE_UPTIME   0x10        /* 运行秒数, 4 字节 */

TIME  g_now;
TIME  g_alarm = { 24, 1, 1, 7, 30, 0, 1 };
LONG_BYTES g_uptime;

static void Alarm_Load(void)
{
    u8 buf[3];
    AT24C02_ReadBuf(EE_ALARM, buf, 3);
    if (buf[0] < 24 && buf[1] < 60 && buf[2] < 60)
    {
        g_alarm.hour = buf[0];
        g_alarm.min  = buf[1];
        g_alarm.sec  = buf[2];
    }
}

static void Uptime_Save(void)
{
    u8 i;
    for (i = 0; i < 4; i++)
        AT24C02_Write(EE_UPTIME + i, g_uptime.b[i]);
}

static void Beep_Set(bit on)
{
    BEEP = !on;
}

void main(void)
{
    TIME t, snooze;
    u32 secs;
    char cmp;

    /* 先做一次时间计算自检, 结果放到端口上 */
    t = g_alarm;
    snooze = Time_AddMinutes(t, 45);             /* 7:30 + 45 = 8:15 */
    P0 = snooze.hour;
    P1 = snooze.min;
    secs = Time_ToSeconds(snooze);               /* 29700 */
    g_uptime.l = secs;
    P2 = g_uptime.b[3];                          /* 最低字节 (大端) 0x04 */
    t = Time_FromSeconds(secs + 3725);           /* 9:17:05 */
    cmp = Time_Compare(t, snooze);
    P3 = (u8)((t.hour << 4) | (t.sec)) + cmp;    /* 0x95 + 1 = 0x96 */

    DS1302_Init();
    Alarm_Load();

    while (1)
    {
        g_now = DS1302_GetTime();
        if (Time_Compare(g_now, g_alarm) == 0)
        {
            Beep_Set(1);
            snooze = Time_AddMinutes(g_alarm, 5);
        }
        else if (Time_Compare(g_now, snooze) == 0)
        {
            Beep_Set(0);
        }
        if (g_now.sec == 0)
        {
            g_uptime.l += 60;
            Uptime_Save();
        }
    }
}
