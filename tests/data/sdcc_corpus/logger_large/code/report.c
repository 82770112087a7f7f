/* Text report of the day, kept for the UART (not sent in this build). */
#include <stdio.h>
#include "history.h"

char report[80];

void report_make(const summary_t *s)
{
    sprintf(report, "n=%u min=%u max=%u avg=%u", (unsigned int)history_count(),
            s->min, s->max, s->average);
}
