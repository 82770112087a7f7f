#include "numicro_8051.h"

/* 定时器0 延时, u16DLYUnit: 1000 = 1ms, 单位微秒数 */
void Timer0_Delay(unsigned long u32SYSCLK, unsigned int u16CNT, unsigned int u16DLYUnit)
{
    unsigned char TL0TMP, TH0TMP;

    SFRS_TMP = SFRS;            /* 保存当前页 */
    ENABLE_SFR_PAGE0;
    TIMER0_MODE1_ENABLE;
    TL0TMP = LOBYTE(65535 - ((u32SYSCLK / 1000000) * u16DLYUnit / 12));
    TH0TMP = HIBYTE(65535 - ((u32SYSCLK / 1000000) * u16DLYUnit / 12));

    while (u16CNT != 0)
    {
        TL0 = TL0TMP;
        TH0 = TH0TMP;
        TR0 = 1;
        while (TF0 != 1);
        TF0 = 0;
        TR0 = 0;
        u16CNT--;
    }
    if (SFRS_TMP)               /* 恢复原来的页 */
    {
        ENABLE_SFR_PAGE1;
    }
}
