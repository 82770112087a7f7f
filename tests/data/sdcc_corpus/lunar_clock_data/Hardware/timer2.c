/* 定时器2 自动重装 50ms  (8052) */
#include "timer2.h"

#define T2_RELOAD  (65536 - 50000)

static uint8 t2_cnt = 0;
static uint8 buzz_pat = 0;
static uint8 buzz_step = 0;
static uint8 buzz_rep = 0;

void Timer2_Init(void)
{
    T2CON = 0x00;
    RCAP2H = T2_RELOAD >> 8;
    RCAP2L = T2_RELOAD & 0xFF;
    TH2 = RCAP2H;
    TL2 = RCAP2L;
    ET2 = 1;
    TR2 = 1;
}

void Buzz_Pattern(uint8 pattern, uint8 repeat)
{
    ET2 = 0;
    buzz_pat = pattern;
    buzz_rep = repeat;
    buzz_step = 0;
    ET2 = 1;
}

void Buzz_Stop(void)
{
    buzz_rep = 0;
    BUZZ = 1;
}

static void Buzz_Run(void)
{
    if (buzz_rep == 0)
    {
        BUZZ = 1;
        return;
    }
    BUZZ = (buzz_pat & (0x80 >> buzz_step)) ? 0 : 1;
    if (++buzz_step >= 8)
    {
        buzz_step = 0;
        if (buzz_rep != 0xFF)
            buzz_rep--;
    }
}

void Timer2_ISR(void) interrupt 5 using 1
{
    TF2 = 0;
    Buzz_Run();
    if (++t2_cnt == 10)
        f_half = 1;
    else if (t2_cnt >= 20)
    {
        t2_cnt = 0;
        f_half = 1;
        f_sec = 1;
    }
}
