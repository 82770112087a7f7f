#ifndef __ALARM_H__
#define __ALARM_H__
#include "..\User\common.h"
void  Alarm_Load(void);
void  Alarm_Save(void);
void  Alarm_Check(DATETIME *t);
void  Alarm_Stop(bit snooze);
uint8 Alarm_Next(DATETIME *t, uint8 *hh, uint8 *mm);
#endif
