/* 8x8 LED matrix: the frame buffer and the digit loader. */
#include <REG52.H>
#include "..\include\MATRIX.H"

extern unsigned char code digits[10][8];

unsigned char idata frame[8];

void matrix_init(void)
{
    unsigned char i;

    for (i = 0; i < 8; i++)
        frame[i] = 0;
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = 0xFC;     /* about 1 ms */
    TL0 = 0x18;
    ET0 = 1;
    TR0 = 1;
}

void matrix_show_digit(unsigned char d)
{
    unsigned char i;

    for (i = 0; i < 8; i++)
        frame[i] = digits[d % 10][i];
}
