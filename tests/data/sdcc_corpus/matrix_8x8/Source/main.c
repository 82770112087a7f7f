/* Counts 0-9 on an 8x8 LED matrix, one digit a second. */
#include <REG52.H>
#include "..\Include\Matrix.h"

static void delay_ms(unsigned int ms)
{
    unsigned char i;

    while (ms--)
        for (i = 0; i < 123; i++)
            ;
}

void main(void)
{
    unsigned char n = 0;

    matrix_init();
    EA = 1;
    while (1) {
        matrix_show_digit(n);
        n = (n + 1) % 10;
        delay_ms(1000);
    }
}
