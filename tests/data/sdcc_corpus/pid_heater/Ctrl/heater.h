#ifndef __HEATER_H__
#define __HEATER_H__

extern volatile unsigned char heater_power;
extern volatile bit control_tick;

#endif
