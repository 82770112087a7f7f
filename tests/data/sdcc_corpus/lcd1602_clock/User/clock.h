#ifndef __CLOCK_H__
#define __CLOCK_H__

typedef struct {
    unsigned char hour;
    unsigned char min;
    unsigned char sec;
} clock_t;

extern clock_t now;
extern bit sec_flag;

void clock_start(void);
void clock_tick(void);
void clock_format(char *buf);

#endif
