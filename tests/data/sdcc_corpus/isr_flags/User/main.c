/* Flags and counts an interrupt routine changes, waited for in loops
   without "volatile", as most tutorials write them. */
#include <REG52.H>
#include "..\Driver\uart.h"

extern unsigned int ms_count;
void delay_ms(unsigned int t);
void wait_tick(void);

void main(void)
{
    unsigned char i;

    TMOD = 0x21;
    TH1 = 0xFD;
    TL1 = 0xFD;
    TH0 = 0xFC;
    TL0 = 0x66;
    SCON = 0x50;
    TR1 = 1;
    TR0 = 1;
    ET0 = 1;
    ES = 1;
    EA = 1;

    P1 = 0x01;
    uart_str("start\n");
    for (i = 0; i < 3; i++) {
        delay_ms(2);
        wait_tick();
        P1 = P1 << 1;
    }
    uart_send(ms_count < 5 ? 'k' : '?');
    uart_str(" ok\n");
    P1 = 0xA5;
    while (1);
}
