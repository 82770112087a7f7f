/* Status report lines. Byte values go to sprintf with the b prefix
   (%bu, %02bX), as one byte each; int values with %u and %d. */
#include <stdio.h>
#include "report.h"

static char xdata line[40];

void report_status(unsigned char mode, unsigned char flags, int temp, unsigned int hours)
{
    sprintf(line, "MODE=%bu FLAGS=%02bX T=%d H=%u\r\n", mode, flags, temp, hours);
    uart_puts(line);
}

void report_bytes(unsigned char xdata *buf, unsigned char n)
{
    unsigned char i;
    char xdata *p = line;

    for (i = 0; i < n; i++)
        p += sprintf(p, "%02bX ", buf[i]);
    *p++ = '\r';
    *p++ = '\n';
    *p = '\0';
    uart_puts(line);
}

/* Byte arguments that are expressions: a shift, a conditional, a call. */
static unsigned char low_nibble(unsigned char v)
{
    return v & 0x0F;
}

void report_mix(unsigned char v)
{
    sprintf(line, "HI=%bu LO=%bX Y=%bc N=%bd S=%d\r\n", v >> 4, low_nibble(v), v > 3 ? 'Y' : 'N',
            (char)(v - 0xAA), -5);
    uart_puts(line);
}
