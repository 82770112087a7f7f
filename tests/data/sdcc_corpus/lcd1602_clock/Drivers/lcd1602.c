/* LCD1602 驱动：每次写之前先读忙标志。 */
#include <intrins.h>
#include "..\INCLUDE\LCD1602.H"

static void lcd_wait(void)
{
    unsigned char status;

    LCD_DATA = 0xFF;
    LCD_RS = 0;
    LCD_RW = 1;
    do {
        LCD_EN = 1;
        _nop_();
        status = LCD_DATA;
        LCD_EN = 0;
    } while (status & 0x80);    /* BF=1 忙 */
}

static void lcd_write(bit rs, unsigned char value)
{
    lcd_wait();
    LCD_RS = rs;
    LCD_RW = 0;
    LCD_DATA = value;
    LCD_EN = 1;
    _nop_();
    _nop_();
    LCD_EN = 0;
}

void lcd_cmd(unsigned char cmd)
{
    lcd_write(0, cmd);
}

void lcd_data(unsigned char dat)
{
    lcd_write(1, dat);
}

void lcd_init(void)
{
    lcd_cmd(0x38);  /* 8 位，两行，5x7 */
    lcd_cmd(0x0C);  /* 开显示，关光标 */
    lcd_cmd(0x06);  /* 地址自动加一 */
    lcd_cmd(0x01);  /* 清屏 */
}

void lcd_goto(unsigned char x, unsigned char y)
{
    lcd_cmd((y ? 0xC0 : 0x80) + x);
}

void lcd_puts(unsigned char x, unsigned char y, char *s)
{
    lcd_goto(x, y);
    while (*s)
        lcd_data(*s++);
}
