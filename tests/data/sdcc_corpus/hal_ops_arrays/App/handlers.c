#include <reg52.h>
#include "handlers.h"

u8 last_sum = 0;

void on_set_led(u8 payload[], u8 len)
{
	if (len >= 1)
		P1 = ~payload[0];	/* µÕµÁ∆Ωµ„¡¡ */
}

void on_sum(u8 payload[], u8 len)
{
	u8 i, s = 0;
	for (i = 0; i < len; i++)
		s += payload[i];
	last_sum = s;
	P2 = s;
}

void on_echo(u8 payload[], u8 len)
{
	uart1_driver.send(payload, len);
}
