/* Service port of a controller: after reset it reports its state and the
   first bytes of its settings block once, 9600 baud at 11.0592 MHz. */
#include <REG52.H>
#include "report.h"

static unsigned char xdata settings[6] = { 0x12, 0x00, 0xFE, 0x7F, 0x80, 0x01 };

void uart_puts(const char *s)
{
    while (*s) {
        SBUF = *s++;
        while (!TI)
            ;
        TI = 0;
    }
}

void main(void)
{
    unsigned char mode = 3;
    unsigned char flags = 0xA5;

    SCON = 0x50;
    TMOD = 0x20;
    TH1 = TL1 = 0xFD;
    TR1 = 1;
    report_status(mode, flags, -40, 1234);
    report_bytes(settings, sizeof(settings));
    report_mix(0xA5);
    uart_puts("END\r\n");
    while (1)
        ;
}
