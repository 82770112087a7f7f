#ifndef __PROTO_H__
#define __PROTO_H__

#include "..\Hal\hal_uart.h"

/* ÷°∏Ò Ω: 0xAA CMD LEN DATA... SUM */
#define FRAME_HEAD 0xAA
#define MAX_PAYLOAD 16

typedef void (*FRAME_HANDLER)(u8 payload[], u8 len);

typedef struct
{
	u8 cmd;
	FRAME_HANDLER handler;
} CMD_ENTRY;

void proto_init(UART_DRIVER code *drv);
void proto_feed(u8 ch);
bit  proto_dispatch(u8 cmd, u8 payload[], u8 len);

#endif
