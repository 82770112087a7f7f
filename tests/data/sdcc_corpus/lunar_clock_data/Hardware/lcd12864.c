/* LCD12864 (ST7920) 并口驱动, 带中文字库 */
#include "lcd12864.h"

static uint8 code row_addr[4] = { 0x80, 0x90, 0x88, 0x98 };

static void LCD12864_Busy(void)
{
    uint8 n = 200;
    LCD_PORT = 0xFF;
    LCD_RS = 0;
    LCD_RW = 1;
    LCD_E = 1;
    while ((LCD_PORT & 0x80) && --n);
    LCD_E = 0;
}

void LCD12864_Cmd(uint8 c)
{
    LCD12864_Busy();
    LCD_RS = 0;
    LCD_RW = 0;
    LCD_PORT = c;
    LCD_E = 1;
    _nop_(); _nop_();
    LCD_E = 0;
}

void LCD12864_Data(uint8 d)
{
    LCD12864_Busy();
    LCD_RS = 1;
    LCD_RW = 0;
    LCD_PORT = d;
    LCD_E = 1;
    _nop_(); _nop_();
    LCD_E = 0;
}

void LCD12864_Pos(uint8 row, uint8 col)
{
    LCD12864_Cmd(row_addr[row & 3] + col);
}

void LCD12864_Str(uint8 row, uint8 col, uint8 *s)
{
    LCD12864_Pos(row, col);
    while (*s)
        LCD12864_Data(*s++);
}

void LCD12864_StrN(uint8 row, uint8 col, uint8 *s, uint8 n)
{
    LCD12864_Pos(row, col);
    while (n--)
        LCD12864_Data(*s ? *s++ : ' ');
}

void LCD12864_Num2(uint8 row, uint8 col, uint8 v)
{
    LCD12864_Pos(row, col);
    LCD12864_Data('0' + v / 10);
    LCD12864_Data('0' + v % 10);
}

void LCD12864_Clear(void)
{
    uint16 i;
    LCD12864_Cmd(0x01);
    for (i = 0; i < 2000; i++);
}

/* 用扩展指令反白一行中的一段 (绘图RAM方式, 这里简化为整行) */
void LCD12864_Reverse(uint8 row, uint8 col, uint8 width, bit on)
{
    uint8 i, j, x, y;
    LCD12864_Cmd(0x36);                /* 扩展指令, 绘图开 */
    for (i = 0; i < 16; i++)
    {
        y = (row & 1) * 16 + i;
        x = (row & 2) ? 8 : 0;
        LCD12864_Cmd(0x80 + y);
        LCD12864_Cmd(0x80 + x + col);
        for (j = 0; j < width * 2; j++)
            LCD12864_Data(on ? 0xFF : 0x00);
    }
    LCD12864_Cmd(0x30);
}

void LCD12864_Init(void)
{
    uint16 i;
    LCD_PSB = 1;                       /* 并口 */
    for (i = 0; i < 5000; i++);
    LCD12864_Cmd(0x30);
    LCD12864_Cmd(0x0C);
    LCD12864_Cmd(0x06);
    LCD12864_Clear();
    LCD_BL = 0;
}
