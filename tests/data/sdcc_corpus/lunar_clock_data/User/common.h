/*******************************************************
 * 多功能万年历 (公历/农历/星期/闹钟/红外遥控)
 * MCU: AT89S52 12MHz   LCD12864(ST7920 并口)
 *******************************************************/
#ifndef __COMMON_H__
#define __COMMON_H__
#include <AT89X52.H>
#include <intrins.h>

typedef unsigned char uint8;
typedef unsigned int  uint16;
typedef unsigned long uint32;

typedef struct {
    uint8 year;      /* 0-99 => 2000-2099 */
    uint8 month;
    uint8 day;
    uint8 hour;
    uint8 min;
    uint8 sec;
    uint8 week;      /* 0=周日 */
} DATETIME;

typedef struct {
    uint8 month;     /* bit7 = 闰月 */
    uint8 day;
} LUNAR;

#define ALARM_NUM  3
typedef struct {
    uint8 hour;
    uint8 min;
    uint8 days;      /* bit0..6 周日..周六 */
    uint8 enable;
} ALARM;

/* 全局 */
extern DATETIME now;
extern LUNAR    lunar_now;
extern ALARM    alarms[ALARM_NUM];
extern uint8    disp_mode;
extern uint8    edit_pos;
extern uint8    backlight_sec;
extern uint8    snooze_min;
extern uint8    ir_code;
extern bit      f_sec;
extern bit      f_half;
extern bit      f_ir;
extern bit      f_alarm_ring;
extern bit      f_edit;
extern bit      f_redraw;
extern bit      f_hour_chime;
#endif
