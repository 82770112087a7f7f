#include <math.h>
#include "stats.h"

void Stats_Calc(unsigned char xdata *buf, unsigned char n, WAVE_STATS *st)
{
    unsigned char i;
    float sum = 0, sq = 0, d;

    st->vmin = 255;
    st->vmax = 0;
    for (i = 0; i < n; i++) {
        sum += buf[i];
        if (buf[i] < st->vmin) st->vmin = buf[i];
        if (buf[i] > st->vmax) st->vmax = buf[i];
    }
    st->mean = sum / n;
    for (i = 0; i < n; i++) {
        d = buf[i] - st->mean;
        sq += d * d;
    }
    st->stddev = sqrt(sq / n);
    st->rms = sqrt(st->mean * st->mean + st->stddev * st->stddev);
}
