/* UART 1 at 9600 baud from the dedicated baud-rate timer (BRT), 1T,
   11.0592 MHz: reload 256 - 11059200 / 32 / 9600 = 220. */
#include <STC12C5A60S2.H>
#include "uart.h"

void uart_init(void)
{
    SCON = 0x50;
    BRT = 220;
    AUXR |= 0x04;   /* BRT in 1T mode */
    AUXR |= 0x01;   /* UART 1 clocked by BRT */
    AUXR |= 0x10;   /* BRT run */
}

void uart_send_string(const char *s)
{
    while (*s) {
        SBUF = *s++;
        while (!TI)
            ;
        TI = 0;
    }
}
