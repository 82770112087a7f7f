#include <reg52.h>
#include "lcd1602.h"

sbit RS = P2^6;
sbit RW = P2^5;
sbit E  = P2^7;

static void Delay1ms(unsigned int c)
{
    unsigned char a, b;
    for (; c > 0; c--)
        for (b = 199; b > 0; b--)
            for (a = 1; a > 0; a--);
}

static void LCD_WriteCom(unsigned char com)
{
    E = 0; RS = 0; RW = 0;
    P0 = com;
    Delay1ms(1);
    E = 1;
    Delay1ms(5);
    E = 0;
}

static void LCD_WriteData(unsigned char dat)
{
    E = 0; RS = 1; RW = 0;
    P0 = dat;
    Delay1ms(1);
    E = 1;
    Delay1ms(5);
    E = 0;
}

void LCD_Init(void)
{
    LCD_WriteCom(0x38);
    LCD_WriteCom(0x0c);
    LCD_WriteCom(0x06);
    LCD_WriteCom(0x01);
    LCD_WriteCom(0x80);
}

void LCD_Disp(unsigned char x, unsigned char y, char *s)
{
    LCD_WriteCom(0x80 + 0x40 * y + x);
    while (*s) LCD_WriteData(*s++);
}
