#ifndef __UART_H__
#define __UART_H__

typedef unsigned char  u8;
typedef unsigned int   u16;
typedef unsigned long  u32;

#define RX_BUF_SIZE 32          // ±ØÐëÊÇ2µÄÃÝ

extern u8 idata rx_buf[RX_BUF_SIZE];
extern volatile u8 rx_head, rx_tail;
extern bit tx_busy;

void uart_init(void);
void uart_putc(u8 c);
void uart_puts(char *s);
bit  uart_getc(u8 *c);
char putchar(char c);

#endif
