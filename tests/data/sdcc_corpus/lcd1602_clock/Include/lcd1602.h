/* LCD1602 ×Ö·ûÒº¾§£¬8 Î»²¢¿Ú */
#ifndef __LCD1602_H__
#define __LCD1602_H__

#include <reg52.h>

#define LCD_DATA P0
sbit LCD_RS = P2^6;
sbit LCD_RW = P2^5;
sbit LCD_EN = P2^7;

void lcd_init(void);
void lcd_cmd(unsigned char cmd);
void lcd_data(unsigned char dat);
void lcd_goto(unsigned char x, unsigned char y);
void lcd_puts(unsigned char x, unsigned char y, char *s);

#endif
