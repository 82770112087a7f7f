/*********************************************************
 * 串口驱动: 9600bps @11.0592MHz, 中断接收 + 环形缓冲区
 *********************************************************/
#include <reg52.h>
#include "uart.h"

u8 idata rx_buf[RX_BUF_SIZE];
volatile u8 rx_head = 0, rx_tail = 0;
bit tx_busy = 0;

void uart_init(void)
{
    SCON = 0x50;        // 方式1, 允许接收
    TMOD &= 0x0F;
    TMOD |= 0x20;       // T1 方式2
    TH1 = 0xFD;
    TL1 = 0xFD;
    PCON &= 0x7F;
    TR1 = 1;
    ES = 1;
    EA = 1;
}

void uart_isr(void) interrupt 4 using 2
{
    if (RI) {
        RI = 0;
        rx_buf[rx_head] = SBUF;
        rx_head = (rx_head + 1) & (RX_BUF_SIZE - 1);
    }
    if (TI) {
        TI = 0;
        tx_busy = 0;
    }
}

void uart_putc(u8 c)
{
    tx_busy = 1;
    SBUF = c;
    while (tx_busy);
}

void uart_puts(char *s)
{
    while (*s) uart_putc(*s++);
}

/* 取一个字节, 没有数据返回0 */
bit uart_getc(u8 *c)
{
    if (rx_head == rx_tail) return 0;
    *c = rx_buf[rx_tail];
    rx_tail = (rx_tail + 1) & (RX_BUF_SIZE - 1);
    return 1;
}

/* 重定向printf */
char putchar(char c)
{
    if (c == '\n') uart_putc('\r');
    uart_putc(c);
    return c;
}
