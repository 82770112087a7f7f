#ifndef _ALARM_H_
#define _ALARM_H_

extern bit alarm_on;
void alarm_poll_1ms(void);

#endif
