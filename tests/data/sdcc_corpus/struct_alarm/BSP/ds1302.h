#ifndef __DS1302_H__
#define __DS1302_H__

#include "common.h"

sbit DS1302_SCLK = P3^6;
sbit DS1302_IO   = P3^4;
sbit DS1302_CE   = P3^5;

void DS1302_Init(void);
TIME DS1302_GetTime(void);
void DS1302_SetTime(TIME t);
void DS1302_WriteProtect(bit on);
bit  DS1302_IsHalted(void);
void DS1302_WriteRam(u8 addr, u8 dat);
u8   DS1302_ReadRam(u8 addr);

#endif
