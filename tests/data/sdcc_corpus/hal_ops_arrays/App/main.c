/*
 * 分层结构示例: HAL (函数指针驱动表) + 协议层 (命令分发表) + 应用层
 * AT89C52 11.0592MHz
 * 上电自检: 把一段测试帧直接喂给协议层, 结果
 *   P1 = ~0x3C (LED)   P2 = 1+2+3+4 = 10   P0 = 0xA5 完成
 */
#include <reg52.h>
#include "..\Hal\hal_uart.h"
#include "..\Proto\proto.h"
#include "handlers.h"

static u8 code selftest[] =
{
	0xAA, 0x01, 0x01, 0x3C, 0x3E,			/* LED = 0x3C */
	0xAA, 0x02, 0x04, 1, 2, 3, 4, 0x10,		/* SUM */
};

static void on_rx_byte(u8 ch)
{
	proto_feed(ch);
}

void main(void)
{
	u8 i;
	UART_DRIVER code *drv = &uart1_driver;

	drv->init(9600);
	proto_init(drv);
	drv->set_rx_callback(on_rx_byte, 1);
	EA = 1;

	for (i = 0; i < sizeof(selftest); i++)
		proto_feed(selftest[i]);
	drv->send("OK\r\n", 4);
	P0 = 0xA5;

	while (1)
	{
		PCON |= 0x01;	/* 空闲等待串口中断 */
	}
}
