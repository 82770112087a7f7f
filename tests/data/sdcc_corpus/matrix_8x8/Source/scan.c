/* Row scan in the timer 0 interrupt: one row per millisecond. */
#include <REG52.H>
#include <INTRINS.H>
#include "..\INCLUDE\matrix.h"

sbit HC595_SER   = P3^4;
sbit HC595_RCLK  = P3^5;
sbit HC595_SRCLK = P3^6;

static unsigned char row;
static unsigned char row_bit = 0x01;

static void hc595_out(unsigned char b)
{
    unsigned char i;

    for (i = 0; i < 8; i++) {
        HC595_SER = b & 0x80;
        b <<= 1;
        HC595_SRCLK = 1;
        HC595_SRCLK = 0;
    }
    HC595_RCLK = 1;
    HC595_RCLK = 0;
}

void scan_isr(void) interrupt 1 using 1
{
    TH0 = 0xFC;
    TL0 = 0x18;
    P0 = 0xFF;                      /* blank while switching rows */
    hc595_out(row_bit);
    P0 = ~frame[row];
    row = (row + 1) & 7;
    row_bit = _crol_(row_bit, 1);
}
