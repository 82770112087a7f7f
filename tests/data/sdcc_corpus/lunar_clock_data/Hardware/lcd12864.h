#ifndef __LCD12864_H__
#define __LCD12864_H__
#include "..\User\common.h"
#define LCD_PORT P0
sbit LCD_RS  = P2^6;
sbit LCD_RW  = P2^5;
sbit LCD_E   = P2^7;
sbit LCD_PSB = P3^2;
sbit LCD_BL  = P2^4;      /* ±³¹â */
void LCD12864_Init(void);
void LCD12864_Cmd(uint8 c);
void LCD12864_Data(uint8 d);
void LCD12864_Pos(uint8 row, uint8 col);
void LCD12864_Str(uint8 row, uint8 col, uint8 *s);
void LCD12864_StrN(uint8 row, uint8 col, uint8 *s, uint8 n);
void LCD12864_Num2(uint8 row, uint8 col, uint8 v);
void LCD12864_Clear(void);
void LCD12864_Reverse(uint8 row, uint8 col, uint8 width, bit on);
#endif
