/* 串口中断：用第 2 组寄存器，省得压栈 */
#include <STC89.H>
#include "uart.h"

void uart_isr(void) interrupt 4 using 2
{
    if (RI) {
        RI = 0;
        rx_buf[rx_head] = SBUF;
        rx_head = (rx_head + 1) & (RX_SIZE - 1);
    }
    if (TI) {
        TI = 0;
        tx_busy = 0;
    }
}
