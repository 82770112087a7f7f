#ifndef __HAL_UART_H__
#define __HAL_UART_H__

typedef unsigned char  u8;
typedef unsigned int   u16;
typedef unsigned long  u32;

typedef void (*RX_CALLBACK)(u8 ch);

/* 串口驱动接口 (像 Linux 驱动那样用函数指针表) */
typedef struct
{
	void (*init)(u32 baud);
	void (*send)(u8 buf[], u8 len);
	void (*set_rx_callback)(RX_CALLBACK cb, u8 priority);
	u8   (*tx_busy)(void);
} UART_DRIVER;

extern UART_DRIVER code uart1_driver;

#endif
