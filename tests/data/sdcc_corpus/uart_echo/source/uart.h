#ifndef __UART_H
#define __UART_H

#define RX_SIZE 32  /* ±ØÐëÊÇ 2 µÄÃÝ */

extern unsigned char xdata rx_buf[RX_SIZE];
extern volatile unsigned char rx_head;
extern unsigned char rx_tail;
extern volatile bit tx_busy;

void uart_init(void);
char _getkey(void);
char putchar(char c);

#endif
