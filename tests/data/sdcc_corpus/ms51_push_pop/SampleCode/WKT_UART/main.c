/*---------------------------------------------------------------------------------------------------------*/
/*  MS51 唤醒定时器 (WKT) 每 ~1.6s 唤醒一次, 串口打印计数, P1.2 LED 闪烁                                    */
/*---------------------------------------------------------------------------------------------------------*/
#include "numicro_8051.h"

#define SYS_CLK     24000000UL

volatile unsigned char  wkt_flag = 0;
volatile unsigned int   wkt_count = 0;
volatile unsigned long  t0_ticks = 0;

/************************************************************************************************************
*    WKT interrupt subroutine
************************************************************************************************************/
void WKT_ISR(void) interrupt 17         /* Vector @ 0x8B */
{
    _push_(SFRS);

    clr_WKCON_WKTF;
    wkt_flag = 1;
    wkt_count++;

    _pop_(SFRS);
}

/************************************************************************************************************
*    Timer0 interrupt subroutine, 1 ms
************************************************************************************************************/
void Timer0_ISR(void) interrupt 1
{
    static unsigned int led_div = 0;

    _push_(SFRS);

    TH0 = HIBYTE(65536 - SYS_CLK / 12 / 1000);
    TL0 = LOBYTE(65536 - SYS_CLK / 12 / 1000);
    t0_ticks++;
    if (++led_div >= 250)
    {
        led_div = 0;
        P12 = ~P12;
    }

    _pop_(SFRS);
}

void main(void)
{
    P12_PUSHPULL_MODE;
    P06_QUASI_MODE;
    P07_QUASI_MODE;
    P15_SCHMITT_ENABLE;

    UART_Open(SYS_CLK, 0, 115200);
    set_SCON_TI;
    printf("\n MS51 WKT demo\n");

    TIMER0_MODE1_ENABLE;
    TH0 = HIBYTE(65536 - SYS_CLK / 12 / 1000);
    TL0 = LOBYTE(65536 - SYS_CLK / 12 / 1000);
    ENABLE_TIMER0_INTERRUPT;
    TR0 = 1;

    WKT_CLOCK_LIRC_DIV64;           /* 10kHz / 64 */
    RWKL = 0;                       /* 256 * 6.4ms = 1.6s */
    ENABLE_WKT_INTERRUPT;
    set_WKCON_WKTR;

    set_WDCON_WDCLR;
    ENABLE_GLOBAL_INTERRUPT;

    while (1)
    {
        if (wkt_flag)
        {
            wkt_flag = 0;
            printf("wake %u, t0=%lu ms\n", wkt_count, t0_ticks);
            Timer0_Delay(SYS_CLK, 2, 1000);
        }
        set_WDCON_WDCLR;
    }
}
