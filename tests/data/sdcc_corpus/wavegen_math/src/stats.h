#ifndef _STATS_H
#define _STATS_H

typedef struct {
    float mean;
    float rms;
    float stddev;
    unsigned char vmin, vmax;
} WAVE_STATS;

void Stats_Calc(unsigned char xdata *buf, unsigned char n, WAVE_STATS *st);
#endif
