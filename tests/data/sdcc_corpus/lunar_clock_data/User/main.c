/*******************************************************
 * 多功能万年历  主程序
 *  P0: LCD12864 数据   P1.5-1.7: DS1302   P3.3: 红外
 *******************************************************/
#include "common.h"
#include "..\Hardware\lcd12864.h"
#include "..\Hardware\ds1302.h"
#include "..\Hardware\ir.h"
#include "..\Hardware\key.h"
#include "..\Hardware\timer2.h"
#include "..\App\lunar.h"
#include "..\App\alarm.h"
#include "..\App\menu.h"

DATETIME now;
LUNAR    lunar_now;
ALARM    alarms[ALARM_NUM];
uint8    disp_mode = 0;
uint8    edit_pos = 0;
uint8    backlight_sec = 30;
uint8    snooze_min = 5;
uint8    ir_code = 0;
bit      f_sec = 0;
bit      f_half = 0;
bit      f_ir = 0;
bit      f_alarm_ring = 0;
bit      f_edit = 0;
bit      f_redraw = 1;
bit      f_hour_chime = 1;

static uint8 last_day = 0xFF;
static uint8 colon_blink = 0;

/* 遥控器键码 -> 按键 */
static uint8 code ir_map[][2] = {
    { IR_KEY_CH,       KV_MENU },
    { IR_KEY_PLUS,     KV_ADD  },
    { IR_KEY_MINUS,    KV_SUB  },
    { IR_KEY_PLAY,     KV_OK   },
    { IR_KEY_NEXT,     KV_OK   },
    { IR_KEY_CH_PLUS,  KV_ADD  },
    { IR_KEY_CH_MINUS, KV_SUB  },
};

static uint8 IR_ToKey(uint8 code_)
{
    uint8 i;
    for (i = 0; i < sizeof(ir_map) / sizeof(ir_map[0]); i++)
        if (ir_map[i][0] == code_)
            return ir_map[i][1];
    return KV_NONE;
}

static void Backlight_Touch(void)
{
    backlight_sec = 30;
    LCD_BL = 0;
}

static void Update_Calendar(void)
{
    if (now.day != last_day)
    {
        last_day = now.day;
        Solar2Lunar(now.year, now.month, now.day, &lunar_now);
        f_redraw = 1;
    }
}

static void Load_Options(void)
{
    uint8 v = DS1302_ReadRam(20);
    if (v != 0xFF && (v & 0x7F) >= 1 && (v & 0x7F) <= 30)
    {
        snooze_min = v & 0x7F;
        f_hour_chime = (v & 0x80) != 0;
    }
}

void main(void)
{
    uint8 key;
    LCD12864_Init();
    LCD12864_Str(1, 1, "多功能万年历");
    LCD12864_Str(2, 2, "V3.1");
    DS1302_Init();
    Alarm_Load();
    Load_Options();
    IR_Init();
    Timer2_Init();
    EA = 1;
    DS1302_ReadTime(&now);
    Update_Calendar();

    while (1)
    {
        key = Key_Scan();
        if (f_ir)
        {
            f_ir = 0;
            if (key == KV_NONE)
                key = IR_ToKey(ir_code);
        }
        if (key != KV_NONE)
        {
            Backlight_Touch();
            Menu_Key(key);
        }
        if (f_half)
        {
            f_half = 0;
            colon_blink = !colon_blink;
            if (!f_edit)
            {
                DS1302_ReadTime(&now);
                Update_Calendar();
                Main_Draw(f_redraw);
                f_redraw = 0;
            }
        }
        if (f_sec)
        {
            f_sec = 0;
            Alarm_Check(&now);
            if (backlight_sec && --backlight_sec == 0)
                LCD_BL = 1;
        }
    }
}
