#ifndef HISTORY_H
#define HISTORY_H

#define HISTORY_LEN 96      /* a day in quarter hours */

typedef struct {
    unsigned int min;
    unsigned int max;
    unsigned int average;
} summary_t;

void history_add(unsigned int value);
void history_summary(summary_t *s);
unsigned char history_count(void);

#endif
