/*******************************************************
 * 界面: 主界面 + 调时 + 闹钟设置
 *******************************************************/
#include "menu.h"
#include "lunar.h"
#include "alarm.h"
#include "..\Hardware\lcd12864.h"
#include "..\Hardware\ds1302.h"
#include "..\Hardware\key.h"
#include <stdio.h>

#define MODE_MAIN    0
#define MODE_TIME    1
#define MODE_ALARM   2
#define MODE_OPTION  3

static uint8 lbuf[17];
static DATETIME edit_t;
static uint8 edit_alarm = 0;

static uint8 code * code mode_title[4] = {
    "", "  时间日期设置  ", "    闹钟设置    ", "    其他设置    "
};

/* 编辑字段 (行, 列, 最小, 最大) */
typedef struct {
    uint8 row;
    uint8 col;
    uint8 min;
    uint8 max;
} FIELD;

static FIELD code time_fields[6] = {
    { 1, 1, 0, 99 }, { 1, 3, 1, 12 }, { 1, 5, 1, 31 },
    { 2, 1, 0, 23 }, { 2, 3, 0, 59 }, { 2, 5, 0, 59 },
};

static void Adjust(uint8 *v, bit up, uint8 lo, uint8 hi)
{
    if (up)
        *v = (*v >= hi) ? lo : *v + 1;
    else
        *v = (*v <= lo) ? hi : *v - 1;
}

static uint8 *Time_Field(uint8 i)
{
    switch (i)
    {
    case 0: return &edit_t.year;
    case 1: return &edit_t.month;
    case 2: return &edit_t.day;
    case 3: return &edit_t.hour;
    case 4: return &edit_t.min;
    default: return &edit_t.sec;
    }
}

void Main_Draw(bit full)
{
    uint8 hh, mm, n;
    if (full)
    {
        LCD12864_Clear();
        sprintf(lbuf, "20%02bu年%02bu月%02bu日", now.year, now.month, now.day);
        LCD12864_Str(0, 0, lbuf);
        LunarText(&lunar_now, lbuf);
        LCD12864_Str(2, 0, "农历");
        LCD12864_Str(2, 2, lbuf);
        LCD12864_Str(3, 0, "星期");
        LCD12864_Str(3, 2, WeekText(now.week));
        LCD12864_Str(3, 4, ZodiacText(now.year));
        LCD12864_Str(3, 5, "年");
    }
    sprintf(lbuf, " %02bu:%02bu:%02bu %c", now.hour, now.min, now.sec, f_alarm_ring ? '*' : ' ');
    LCD12864_Str(1, 0, lbuf);
    n = Alarm_Next(&now, &hh, &mm);
    if (n != 0xFF)
    {
        sprintf(lbuf, "A%bu%02bu%02bu", n + 1, hh, mm);
        LCD12864_StrN(1, 6, lbuf, 4);
    }
}

static void Time_Draw(void)
{
    sprintf(lbuf, "日期 20%02bu-%02bu-%02bu", edit_t.year, edit_t.month, edit_t.day);
    LCD12864_Str(1, 0, lbuf);
    sprintf(lbuf, "时间 %02bu:%02bu:%02bu  ", edit_t.hour, edit_t.min, edit_t.sec);
    LCD12864_Str(2, 0, lbuf);
    LCD12864_Pos(time_fields[edit_pos].row, time_fields[edit_pos].col + 2);
    LCD12864_Cmd(0x0F);
}

static void Alarm_Draw(void)
{
    ALARM *a = &alarms[edit_alarm];
    uint8 i;
    sprintf(lbuf, "闹钟%bu %02bu:%02bu %s", edit_alarm + 1, a->hour, a->min, a->enable ? "开" : "关");
    LCD12864_Str(1, 0, lbuf);
    for (i = 0; i < 7; i++)
        lbuf[i * 2] = (a->days & (1 << i)) ? '0' + i : '-', lbuf[i * 2 + 1] = ' ';
    lbuf[14] = 0;
    LCD12864_Str(2, 0, lbuf);
}

void Menu_Draw(void)
{
    LCD12864_Clear();
    LCD12864_Str(0, 0, mode_title[disp_mode]);
    if (disp_mode == MODE_TIME)
        Time_Draw();
    else if (disp_mode == MODE_ALARM)
        Alarm_Draw();
    else if (disp_mode == MODE_OPTION)
    {
        sprintf(lbuf, "整点报时: %s", f_hour_chime ? "开" : "关");
        LCD12864_Str(1, 0, lbuf);
        sprintf(lbuf, "贪睡分钟: %2bu", snooze_min);
        LCD12864_Str(2, 0, lbuf);
    }
}

void Menu_Key(uint8 key)
{
    FIELD code *f;
    switch (disp_mode)
    {
    case MODE_MAIN:
        if (key == KV_MENU)
        {
            edit_t = now;
            edit_pos = 0;
            disp_mode = MODE_TIME;
            f_edit = 1;
        }
        else if (key == KV_OK && f_alarm_ring)
            Alarm_Stop(0);
        else if (key == KV_ADD || key == KV_SUB)
            Alarm_Stop(1);
        break;
    case MODE_TIME:
        f = &time_fields[edit_pos];
        if (key == KV_ADD || key == KV_SUB)
        {
            Adjust(Time_Field(edit_pos), key == KV_ADD, f->min, f->max);
            if (edit_t.day > MonthDays(edit_t.year, edit_t.month))
                edit_t.day = MonthDays(edit_t.year, edit_t.month);
        }
        else if (key == KV_OK)
        {
            if (++edit_pos >= 6) edit_pos = 0;
        }
        else if (key == KV_MENU)
        {
            edit_t.week = CalcWeek(edit_t.year, edit_t.month, edit_t.day);
            DS1302_WriteTime(&edit_t);
            disp_mode = MODE_ALARM;
            edit_pos = 0;
            LCD12864_Cmd(0x0C);
        }
        break;
    case MODE_ALARM:
        if (key == KV_ADD)
            Adjust(edit_pos == 0 ? &alarms[edit_alarm].hour : &alarms[edit_alarm].min, 1, 0, edit_pos ? 59 : 23);
        else if (key == KV_SUB)
            alarms[edit_alarm].enable = !alarms[edit_alarm].enable;
        else if (key == KV_OK)
        {
            if (++edit_pos >= 2)
            {
                edit_pos = 0;
                if (++edit_alarm >= ALARM_NUM) edit_alarm = 0;
            }
        }
        else if (key == KV_MENU)
        {
            Alarm_Save();
            disp_mode = MODE_OPTION;
        }
        break;
    default:
        if (key == KV_ADD)
            f_hour_chime = !f_hour_chime;
        else if (key == KV_SUB)
            Adjust(&snooze_min, 1, 1, 30);
        else if (key == KV_MENU || key == KV_OK)
        {
            DS1302_WriteRam(20, snooze_min | (f_hour_chime ? 0x80 : 0));
            disp_mode = MODE_MAIN;
            f_edit = 0;
            f_redraw = 1;
            return;
        }
        break;
    }
    if (disp_mode != MODE_MAIN)
        Menu_Draw();
}
