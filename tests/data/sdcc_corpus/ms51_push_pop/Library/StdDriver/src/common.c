/*--------------------------------------------------------------------------*/
/*  common.c : UART open / send, printf redirection                          */
/*--------------------------------------------------------------------------*/
#include "numicro_8051.h"

bit BIT_TMP;
unsigned char data SFRS_TMP;

#define UART0_Timer1    0

void UART_Open(unsigned long u32SysClock, unsigned char u8UARTPort, unsigned long u32Baudrate)
{
    switch (u8UARTPort)
    {
        case UART0_Timer1:
            SCON = 0x50;            /* UART0 Mode1, REN=1 */
            TMOD |= 0x20;           /* Timer1 Mode2 */
            set_PCON_SMOD;
            set_CKCON_T1M;
            clr_T3CON_BRCK;
            TH1 = 256 - (u32SysClock / 16 / u32Baudrate);
            TR1 = 1;
            break;
        default:
            break;
    }
}

void UART_Send_Data(unsigned char UARTPort, unsigned char c)
{
    switch (UARTPort)
    {
        case UART0_Timer1:
            SBUF = c;
            while (!TI);
            TI = 0;
            break;
    }
}

/* printf ×ß´®¿Ú 0 */
char putchar(char c)
{
    UART_Send_Data(UART0_Timer1, c);
    return c;
}
