/* 8051 串口1 的驱动实现, 11.0592MHz */
#include <reg52.h>
#include "hal_uart.h"

static RX_CALLBACK rx_cb = 0;
static volatile u8 busy = 0;

static void uart1_init(u32 baud)
{
	SCON = 0x50;
	TMOD = (TMOD & 0x0F) | 0x20;
	TH1 = TL1 = 256 - (u8)(11059200UL / 384 / baud);
	TR1 = 1;
	ES = 1;
}

static void uart1_send(u8 buf[], u8 len)
{
	u8 i;
	for (i = 0; i < len; i++)
	{
		while (busy);
		busy = 1;
		SBUF = buf[i];
	}
}

static void uart1_set_rx_callback(RX_CALLBACK cb, u8 priority)
{
	rx_cb = cb;
	PS = priority ? 1 : 0;
}

static u8 uart1_tx_busy(void)
{
	return busy;
}

void uart1_isr(void) interrupt 4
{
	if (RI)
	{
		RI = 0;
		if (rx_cb) rx_cb(SBUF);
	}
	if (TI)
	{
		TI = 0;
		busy = 0;
	}
}

UART_DRIVER code uart1_driver =
{
	uart1_init,
	uart1_send,
	uart1_set_rx_callback,
	uart1_tx_busy,
};
