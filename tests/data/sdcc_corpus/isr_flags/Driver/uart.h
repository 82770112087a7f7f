#ifndef __UART_H__
#define __UART_H__
extern bit busy;
void uart_send(unsigned char c);
void uart_str(char *s);
#endif
