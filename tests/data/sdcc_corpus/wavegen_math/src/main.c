/*
 * 多波形信号发生器 + 数学函数自检
 * 串口 9600 输出每种波形的统计值
 */
#include <reg52.h>
#include <STDIO.H>
#include <MATH.H>
#include <STDLIB.H>
#include "wave.h"
#include "stats.h"

extern void Com_Init(void);

void math_selftest(void)
{
    float x = 2.0;
    printf("sqrt(2)=%f pow(2,10)=%.1f\n", sqrt(x), pow(x, 10));
    printf("sin(30)=%.4f cos(60)=%.4f tan(45)=%.4f\n",
           sin(30 * 3.14159265 / 180), cos(60 * 3.14159265 / 180), tan(0.785398163));
    printf("atan2(1,1)=%.5f exp(1)=%.5f log(10)=%.5f log10(1000)=%.2f\n",
           atan2(1.0, 1.0), exp(1.0), log(10.0), log10(1000.0));
    printf("floor(-2.5)=%.1f ceil(-2.5)=%.1f fabs(-3.25)=%.2f\n", floor(-2.5), ceil(-2.5), fabs(-3.25));
    printf("e=%e big=%e small=%e\n", 2.718281828, 123456.0, 0.000123);
    printf("int %+d %05d %-5d| %x %X %o\n", 42, -42, 7, 255, 48879, 8);
    printf("long %ld %lu %lx %08lX\n", -100000L, 3000000000UL, 0xDEADBEEFUL, 0x1234ABUL);
    printf("abs %d labs %ld\n", abs(-77), labs(-123456L));
}

void main(void)
{
    WAVE_STATS st;
    unsigned char t;

    Com_Init();
    printf("\nwave generator\n");
    math_selftest();
    for (t = 0; t < WAVE_NUM; t++) {
        Wave_Build((WAVE_TYPE)t, t == WAVE_SQUARE ? 0.5 : 1.0);
        Stats_Calc(wave_tab, WAVE_LEN, &st);
        printf("%-9s min=%3bu max=%3bu mean=%7.3f std=%7.3f rms=%7.3f\n",
               wave_names[t], st.vmin, st.vmax, st.mean, st.stddev, st.rms);
    }
    Wave_Build(WAVE_SINE, 1.0);
    Wave_Start(100);
    EA = 1;
    printf("sine @ 78Hz on P1\n");
    while (1);
}
