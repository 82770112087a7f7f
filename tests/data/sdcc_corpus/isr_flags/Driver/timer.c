/* 1 ms tick from timer 0 (11.0592 MHz) */
#include <REG52.H>

unsigned int ms_count;
unsigned char tick_flag;

void timer0_isr(void) interrupt 1
{
    TH0 = 0xFC;
    TL0 = 0x66;
    ms_count++;
    tick_flag = 1;
}

void delay_ms(unsigned int t)
{
    ms_count = 0;
    while (ms_count < t);
}

void wait_tick(void)
{
    tick_flag = 0;
    while (!tick_flag);
}
