/* LCD1602，4 位接口：D4~D7 接 P2.4~P2.7，RS=P2.0，EN=P2.2，RW 接地。
   没有读忙，只靠延时。 */
#include <reg52.h>
#include "lcd.h"

sbit LCD_RS = P2^0;
sbit LCD_EN = P2^2;

static void delay_us50(unsigned char n)
{
    unsigned char i;

    while (n--)
        for (i = 0; i < 10; i++)
            ;
}

static void nibble(unsigned char v)
{
    P2 = (P2 & 0x0F) | (v & 0xF0);
    LCD_EN = 1;
    LCD_EN = 0;
}

static void lcd_write(bit rs, unsigned char v)
{
    LCD_RS = rs;
    nibble(v);
    nibble(v << 4);
    delay_us50(rs ? 1 : 40);
}

void lcd_init(void)
{
    delay_us50(255);
    LCD_RS = 0;
    nibble(0x30);
    delay_us50(100);
    nibble(0x30);
    delay_us50(5);
    nibble(0x30);
    nibble(0x20);                   /* 4 位模式 */
    lcd_write(0, 0x28);
    lcd_write(0, 0x0C);
    lcd_write(0, 0x06);
    lcd_write(0, 0x01);
}

void lcd_line(unsigned char row, const char *text)
{
    unsigned char n = 0;

    lcd_write(0, row ? 0xC0 : 0x80);
    while (*text && n++ < 16)
        lcd_write(1, *text++);
}
