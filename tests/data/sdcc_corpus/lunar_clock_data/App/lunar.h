#ifndef __LUNAR_H__
#define __LUNAR_H__
#include "..\User\common.h"
bit   Solar2Lunar(uint8 year, uint8 month, uint8 day, LUNAR *out);
uint8 CalcWeek(uint8 year, uint8 month, uint8 day);
uint8 MonthDays(uint8 year, uint8 month);
void  LunarText(LUNAR *l, uint8 *buf);
uint8 *WeekText(uint8 w);
uint8 *ZodiacText(uint8 year);
#endif
