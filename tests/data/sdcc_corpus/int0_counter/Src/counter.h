#ifndef COUNTER_H
#define COUNTER_H

/* 450 pulses per litre (typical hall-effect flow sensor) */
#define PULSES_PER_LITRE 450

extern volatile unsigned int pulse_count;
extern volatile bit reset_request;

void exint_init(void);

#endif
