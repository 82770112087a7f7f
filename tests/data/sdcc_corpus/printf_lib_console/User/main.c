/* Serial output through printf with no putchar of our own: the library's
   waits for TI, so TI is set once before the first character, as in most
   tutorials (11.0592 MHz crystal, 9600 baud). */
#include <REG52.H>
#include <stdio.h>

void main(void)
{
    unsigned char i;

    SCON = 0x50;
    TMOD = 0x20;
    TH1 = 0xFD;
    TL1 = 0xFD;
    TR1 = 1;
    TI = 1;
    for (i = 1; i <= 3; i++)
        printf("n=%bu\n", i);
    puts("ok");
    while (1)
        ;
}
