/* Ring of the last HISTORY_LEN readings. The project is built in the
   LARGE model: these tables live in external RAM without saying so. */
#include "history.h"

static unsigned int samples[HISTORY_LEN];
static unsigned char head;
static unsigned char count;

void history_add(unsigned int value)
{
    samples[head] = value;
    if (++head >= HISTORY_LEN)
        head = 0;
    if (count < HISTORY_LEN)
        count++;
}

unsigned char history_count(void)
{
    return count;
}

void history_summary(summary_t *s)
{
    unsigned long sum = 0;
    unsigned char i;

    s->min = 0xFFFF;
    s->max = 0;
    for (i = 0; i < count; i++) {
        unsigned int v = samples[i];
        sum += v;
        if (v < s->min) s->min = v;
        if (v > s->max) s->max = v;
    }
    s->average = count ? (unsigned int)(sum / count) : 0;
}
