#include <reg52.h>
#include "uart.h"

void UART_Init(void)
{
    TMOD &= 0x0F;
    TMOD |= 0x20;
    SCON = 0x50;
    TH1 = 0xFA;         /* 9600 @11.0592, SMOD=1 */
    TL1 = 0xFA;
    PCON |= 0x80;
    TR1 = 1;
}

void UART_SendStr(char *s)
{
    while (*s) {
        SBUF = *s++;
        while (TI == 0);
        TI = 0;
    }
}
