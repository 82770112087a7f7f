#ifndef __TIMER2_H__
#define __TIMER2_H__
#include "..\User\common.h"
sbit BUZZ = P2^3;
void Timer2_Init(void);
void Buzz_Pattern(uint8 pattern, uint8 repeat);
void Buzz_Stop(void);
#endif
