#ifndef __HANDLERS_H__
#define __HANDLERS_H__

#include "..\Hal\hal_uart.h"

void on_set_led(u8 payload[], u8 len);
void on_sum(u8 payload[], u8 len);
void on_echo(u8 payload[], u8 len);

extern u8 last_sum;

#endif
