/* R-2R 电阻网络 DAC 接 P1, 定时器0 中断逐点输出 */
#include <reg52.h>
#include <math.h>
#include <stdlib.h>
#include "wave.h"

#define PI 3.14159265

unsigned char xdata wave_tab[WAVE_LEN];
char code *code wave_names[WAVE_NUM] = {"sine", "triangle", "sawtooth", "square", "noise"};
static unsigned char idx;
static unsigned int reload;

void Wave_Build(WAVE_TYPE type, float amp)
{
    unsigned char i;
    float v;

    srand(1234);
    for (i = 0; i < WAVE_LEN; i++) {
        switch (type) {
        case WAVE_SINE:   v = sin(2 * PI * i / WAVE_LEN); break;
        case WAVE_TRI:    v = (i < WAVE_LEN / 2) ? (4.0 * i / WAVE_LEN - 1) : (3 - 4.0 * i / WAVE_LEN); break;
        case WAVE_SAW:    v = 2.0 * i / WAVE_LEN - 1; break;
        case WAVE_SQUARE: v = (i < WAVE_LEN / 2) ? 1 : -1; break;
        default:          v = (rand() % 2001) / 1000.0 - 1; break;
        }
        wave_tab[i] = (unsigned char)(127.5 + 127.5 * amp * v);
    }
}

void Wave_Start(unsigned int sample_us)
{
    reload = 65536 - (unsigned int)(sample_us * 0.9216);   /* 11.0592MHz */
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = reload >> 8;
    TL0 = reload & 0xFF;
    ET0 = 1;
    TR0 = 1;
}

void Timer0_ISR(void) interrupt 1 using 3
{
    TH0 = reload >> 8;
    TL0 = reload & 0xFF;
    P1 = wave_tab[idx];
    if (++idx >= WAVE_LEN) idx = 0;
}
