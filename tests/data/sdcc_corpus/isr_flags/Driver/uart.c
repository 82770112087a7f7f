/* 串口发送: 忙标志由中断清除 */
#include <REG52.H>
#include "uart.h"

bit busy;

void uart_isr(void) interrupt 4
{
    if (TI) {
        TI = 0;
        busy = 0;
    }
    if (RI)
        RI = 0;
}

void uart_send(unsigned char c)
{
    busy = 1;
    SBUF = c;
    while (busy);
}

void uart_str(char *s)
{
    while (*s)
        uart_send(*s++);
}
