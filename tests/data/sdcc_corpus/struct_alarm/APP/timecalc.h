#ifndef __TIMECALC_H__
#define __TIMECALC_H__

#include "..\BSP\common.h"

TIME Time_AddMinutes(TIME t, u16 minutes);
char Time_Compare(TIME a, TIME b);
u32  Time_ToSeconds(TIME t);
TIME Time_FromSeconds(u32 s);

#endif
