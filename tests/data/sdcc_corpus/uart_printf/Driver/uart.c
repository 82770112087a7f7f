/* UART 0 at 9600 baud from timer 1 in mode 2 (11.0592 MHz). putchar is
   ours so that printf's output goes to the serial port; '\n' becomes
   "\r\n" for terminal programs. */
#include <reg52.h>
#include <stdio.h>
#include "uart.h"

void uart_init(void)
{
    SCON = 0x50;        /* mode 1, receiver on */
    TMOD &= 0x0F;
    TMOD |= 0x20;       /* timer 1, 8-bit auto reload */
    TH1 = 0xFD;         /* 9600 baud */
    TL1 = 0xFD;
    TR1 = 1;
    TI = 0;
}

static void send(char c)
{
    SBUF = c;
    while (!TI)
        ;
    TI = 0;
}

char putchar(char c)
{
    if (c == '\n')
        send('\r');
    send(c);
    return c;
}
