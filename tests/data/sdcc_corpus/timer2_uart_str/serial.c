/* 串口：定时器 2 做波特率发生器（8052 才有），11.0592MHz 下 9600bps。
   发送由中断推进：把要发的串放进发送指针，中断里一个个送。 */
#include <REG52.H>
#include "serial.h"

static const char code *tx_ptr;
static volatile bit tx_idle = 1;

void serial_init(void)
{
    SCON = 0x50;
    T2CON = 0x34;           /* RCLK TCLK TR2 */
    RCAP2H = (65536 - 36) >> 8;
    RCAP2L = (65536 - 36) & 0xFF;
    TH2 = RCAP2H;
    TL2 = RCAP2L;
    ES = 1;
}

void serial_send(const char code *s)
{
    while (!tx_idle)
        ;
    if (!*s)
        return;
    tx_idle = 0;
    tx_ptr = s + 1;
    SBUF = *s;
}

bit serial_busy(void)
{
    return !tx_idle;
}

void serial_isr(void) interrupt 4
{
    if (RI)
        RI = 0;     /* 不收 */
    if (TI) {
        TI = 0;
        if (*tx_ptr)
            SBUF = *tx_ptr++;
        else
            tx_idle = 1;
    }
}
