#ifndef _UART_H_
#define _UART_H_

void uart_init(void);

#endif
