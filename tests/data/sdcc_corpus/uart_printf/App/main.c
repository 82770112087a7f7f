/* Prints a banner and a table of readings over the UART at 9600 baud
   (11.0592 MHz crystal), through printf and our own putchar. */
#include <reg52.h>
#include <stdio.h>
#include "..\Driver\uart.h"

/* Readings in tenths of a degree, as a sensor would hand them over. */
static int code readings[] = { 215, 223, -45, 1000 };

void main(void)
{
    unsigned char i;

    uart_init();
    printf("boot %s v%bu.%bu\n", "logger", (unsigned char)1, (unsigned char)2);
    for (i = 0; i < sizeof(readings) / sizeof(readings[0]); i++) {
        int t = readings[i];
        char sign = ' ';
        if (t < 0) {
            sign = '-';
            t = -t;
        }
        printf("#%d T=%c%d.%d\n", (int)i, sign, t / 10, t % 10);
    }
    printf("done\n");
    while (1)
        ;
}
