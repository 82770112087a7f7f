/* Statistics over a sample buffer, shown on the serial port (11.0592 MHz,
   9600 baud). Globals and the helpers' locals together need more than the
   128 bytes of DATA unless the locals share memory. */
#include <REG52.H>
#include <stdio.h>
#include <math.h>
#include "calc.h"
#include "fmt.h"

extern unsigned char tick;
extern unsigned char mixed;
void timer0_init(void);

unsigned char code samples[12] = {12, 200, 45, 99, 180, 33, 77, 250, 5, 140, 66, 123};
unsigned char idata bins[8];
long big;

void main(void)
{
    SCON = 0x50;
    TMOD = 0x20;
    TH1 = 0xFD;
    TL1 = 0xFD;
    TR1 = 1;
    TI = 1;
    timer0_init();
    EA = 1;

    histogram(samples, 12, bins);
    big = poly(-7, 3, 5, -11);
    show_line("ws", weighted_sum(samples, 12, 2), 3);
    show_line("med", median5(samples[0], samples[1], samples[2], samples[3], samples[4]), 2);
    show_line("poly", (int)big, 1);
    show_line("st", stats(samples, 12), 4);
    show_line("st2", stats(samples + 4, 8), 4);
    show_bins(bins);
    show_temp(23.46f);
    show_temp(-4.27f);
    show_temp(10.0f * sin(0.5f));
    printf("tick %s\n", tick != 0 ? "ok" : "no");
    printf("done\n");
    while (1)
        ;
}
