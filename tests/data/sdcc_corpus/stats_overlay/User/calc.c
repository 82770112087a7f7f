/* Helpers with local arrays and several parameters: the original compiler
   overlays all of these, so a small-model project can afford them. */
#include "calc.h"

unsigned int weighted_sum(unsigned char *v, unsigned char n, unsigned char w)
{
    unsigned int acc[4];
    unsigned char i;

    for (i = 0; i < 4; i++)
        acc[i] = 0;
    for (i = 0; i < n; i++)
        acc[i & 3] += (unsigned int)v[i] * w;
    return acc[0] + acc[1] + acc[2] + acc[3];
}

void histogram(unsigned char *dat, unsigned char n, unsigned char *bins)
{
    unsigned char counts[8];
    unsigned char i;

    for (i = 0; i < 8; i++)
        counts[i] = 0;
    for (i = 0; i < n; i++)
        counts[dat[i] >> 5]++;
    for (i = 0; i < 8; i++)
        bins[i] = counts[i];
}

unsigned char median5(unsigned char a, unsigned char b, unsigned char c, unsigned char d, unsigned char e)
{
    unsigned char t[5];
    unsigned char i, j, x;

    t[0] = a; t[1] = b; t[2] = c; t[3] = d; t[4] = e;
    for (i = 1; i < 5; i++) {
        x = t[i];
        for (j = i; j > 0 && t[j - 1] > x; j--)
            t[j] = t[j - 1];
        t[j] = x;
    }
    return t[2];
}

long poly(int x, int a, int b, int c)
{
    long r;

    r = (long)a * x * x + (long)b * x + c;
    return r;
}

/* Its own copy must come back whole from the calls it makes. */
unsigned int stats(unsigned char *v, unsigned char n)
{
    unsigned char copy[16];
    unsigned char i, m;
    unsigned int before, after, ws;

    before = 0;
    for (i = 0; i < n && i < 16; i++) {
        copy[i] = v[i];
        before += copy[i];
    }
    m = median5(copy[0], copy[1], copy[2], copy[3], copy[4]);
    ws = weighted_sum(copy, n, 3);
    after = 0;
    for (i = 0; i < n && i < 16; i++)
        after += copy[i];
    if (after != before)
        return 0xFFFF;
    return ws + m;
}
