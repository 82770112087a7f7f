/* 串口驱动：定时器 1 做波特率发生器。发送用查询，接收用中断。 */
#include <stc89.h>
#include "UART.H"

unsigned char xdata rx_buf[RX_SIZE];
volatile unsigned char rx_head;     /* 中断写，要加 volatile */
unsigned char rx_tail;      /* 主程序读 */
volatile bit tx_busy;

void uart_init(void)
{
    SCON = 0x50;
    TMOD = (TMOD & 0x0F) | 0x20;
    TH1 = TL1 = 0xFD;
    TR1 = 1;
    rx_head = rx_tail = 0;
    ES = 1;
}

/* 取一个字节，没有就等 */
char _getkey(void)
{
    char c;

    while (rx_head == rx_tail)
        ;
    c = rx_buf[rx_tail];
    rx_tail = (rx_tail + 1) & (RX_SIZE - 1);
    return c;
}

char putchar(char c)
{
    tx_busy = 1;
    SBUF = c;
    while (tx_busy)     /* 中断里清 */
        ;
    return c;
}
