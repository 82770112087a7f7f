/* 串口接收 GPS 语句, 一行收完置标志 */
#include <reg52.h>
#include "uart.h"

char xdata nmea_line[NMEA_MAX + 1];
static char xdata rx_tmp[NMEA_MAX + 1];
static unsigned char rx_len = 0;
bit nmea_ready = 0;

void Uart_Init(void)
{
    SCON = 0x50;
    TMOD = (TMOD & 0x0F) | 0x20;
    TH1 = TL1 = 0xFD;           /* 9600 */
    TR1 = 1;
    ES = 1;
}

/* printf 用, 发送时关串口中断 */
char putchar(char c)
{
    ES = 0;
    SBUF = c;
    while (!TI);
    TI = 0;
    ES = 1;
    return c;
}

void Uart_Isr(void) interrupt 4 using 1
{
    char c;
    unsigned char i;

    if (!RI) return;
    RI = 0;
    c = SBUF;
    if (c == '$') rx_len = 0;
    if (c == '\r' || c == '\n') {
        if (rx_len > 6 && !nmea_ready) {
            for (i = 0; i < rx_len; i++) nmea_line[i] = rx_tmp[i];
            nmea_line[rx_len] = '\0';
            nmea_ready = 1;
        }
        rx_len = 0;
        return;
    }
    if (rx_len < NMEA_MAX) rx_tmp[rx_len++] = c;
}
