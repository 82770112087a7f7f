/******************************************************************
 * 舵机 + 蜂鸣器 演示: 精确延时用内嵌汇编写 (delay.c)
 * 注意: delay.c 必须在 Options 里勾选
 *       "Generate Assembler SRC File" 和 "Assemble SRC File"
 ******************************************************************/
#include <reg52.h>
#include "..\Driver\delay.h"

sbit SERVO = P1^0;
sbit BUZZ  = P1^5;
sbit LED   = P1^7;

#define uchar unsigned char
#define uint  unsigned int

uchar angle_tab[] = { 5, 10, 15, 20, 25 };     /* 0.5ms ~ 2.5ms, 单位 0.1ms */

#pragma SAVE
#pragma OPTIMIZE(2)
static void Servo_Pulse(uchar width)
{
    uchar i;
    SERVO = 1;
    for (i = 0; i < width; i++)
        Delay100us();
    SERVO = 0;
}
#pragma RESTORE

static void Beep(uchar n)
{
    while (n--)
    {
        BUZZ = 0;
        Delay_ms(1);
        BUZZ = 1;
        Delay_ms(1);
    }
}

void main(void)
{
    uchar idx = 0;
    uchar k;

    Beep(100);
    while (1)
    {
        for (k = 0; k < 50; k++)            /* 每个角度保持 1 秒 */
        {
            Servo_Pulse(angle_tab[idx]);
            Delay_ms(18);
        }
        if (++idx >= sizeof(angle_tab)) idx = 0;
        LED = !LED;
        P2 = Get_Loops();
    }
}
