#ifndef __LCD1602_H__
#define __LCD1602_H__
void LCD_Init(void);
void LCD_Disp(unsigned char x, unsigned char y, char *s);
#endif
