#ifndef __DS1302_H__
#define __DS1302_H__
#include "..\User\common.h"
sbit RTC_SCLK = P1^5;
sbit RTC_IO   = P1^6;
sbit RTC_RST  = P1^7;
void  DS1302_Init(void);
void  DS1302_ReadTime(DATETIME *t);
void  DS1302_WriteTime(DATETIME *t);
uint8 DS1302_ReadRam(uint8 addr);
void  DS1302_WriteRam(uint8 addr, uint8 dat);
void  DS1302_BurstReadRam(uint8 *buf, uint8 len);
void  DS1302_BurstWriteRam(uint8 *buf, uint8 len);
#endif
