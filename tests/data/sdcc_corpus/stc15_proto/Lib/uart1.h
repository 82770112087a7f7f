#ifndef __UART1_H__
#define __UART1_H__

#include <STC15.H>

typedef unsigned char  u8;
typedef unsigned int   u16;
typedef unsigned long  u32;

#define UART_RXBUF_LEN 64

void Uart1_Init(void);
void Uart1_SendByte(u8 dat);
void Uart1_SendBuf(u8 *buf, u8 len);
u8   Uart1_Available(void);
u8   Uart1_Read(void);

#endif
