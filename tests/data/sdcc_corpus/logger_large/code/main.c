/* Data logger skeleton: fills a day of simulated readings, summarises
   them and shows the average on P1 and the spread on P2. */
#include <REG52.H>
#include "history.h"

void report_make(const summary_t *s);

summary_t day;

void main(void)
{
    unsigned char i;

    for (i = 0; i < HISTORY_LEN; i++)
        history_add(100 + (i * 7) % 50);
    history_summary(&day);
    report_make(&day);
    P1 = (unsigned char)day.average;
    P2 = (unsigned char)(day.max - day.min);
    while (1)
        ;
}
