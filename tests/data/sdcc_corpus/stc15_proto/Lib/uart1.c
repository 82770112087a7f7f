/*
 * 串口1: 定时器1 16位自动重装 (STC15 模式0), 中断接收到 xdata 环形缓冲
 */
#include "uart1.h"

static u8 xdata rx_fifo[UART_RXBUF_LEN];
static u8 rx_in, rx_out;
static bit busy;

void Uart1_Init(void)       /* 9600bps@11.0592MHz */
{
    SCON = 0x50;
    AUXR |= 0x40;           /* 定时器1 1T */
    AUXR &= 0xFE;           /* 串口1 用定时器1 */
    TMOD &= 0x0F;
    TL1 = 0xE0;
    TH1 = 0xFE;
    ET1 = 0;
    TR1 = 1;
    ES = 1;
}

void Uart1_Isr(void) interrupt 4
{
    if (RI) {
        RI = 0;
        rx_fifo[rx_in] = SBUF;
        if (++rx_in >= UART_RXBUF_LEN) rx_in = 0;
    }
    if (TI) {
        TI = 0;
        busy = 0;
    }
}

void Uart1_SendByte(u8 dat)
{
    while (busy);
    busy = 1;
    SBUF = dat;
}

void Uart1_SendBuf(u8 *buf, u8 len)
{
    while (len--) Uart1_SendByte(*buf++);
}

u8 Uart1_Available(void)
{
    return rx_in != rx_out;
}

u8 Uart1_Read(void)
{
    u8 d = rx_fifo[rx_out];
    if (++rx_out >= UART_RXBUF_LEN) rx_out = 0;
    return d;
}
