/* 8x8 点阵: 行 P0 (经 74HC595 串行), 列 P2 直接驱动, 定时器0 2ms 扫描 */
#include <reg51.h>
#include <intrins.h>
#include "matrix.h"
#include "game.h"

sbit SER   = P3^4;
sbit SRCLK = P3^6;
sbit RCLK  = P3^5;

static void hc595_out(unsigned char d)
{
    unsigned char i;
    for (i = 0; i < 8; i++) {
        SER = d >> 7;
        d <<= 1;
        SRCLK = 0; _nop_(); SRCLK = 1;
    }
    RCLK = 0; _nop_(); RCLK = 1;
}

void Matrix_Init(void)
{
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = 0xF8; TL0 = 0x30;
    ET0 = 1; TR0 = 1;
}

void Matrix_Scan(void) interrupt 1
{
    static unsigned char row = 0;
    TH0 = 0xF8; TL0 = 0x30;
    P2 = 0xFF;
    hc595_out(0x01 << row);
    P2 = ~screen[row];
    row = (row + 1) & 7;
}
