#ifndef __UART_H__
#define __UART_H__
void UART_Init(void);
void UART_SendStr(char *s);
#endif
