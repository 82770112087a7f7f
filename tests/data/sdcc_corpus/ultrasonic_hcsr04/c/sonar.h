#ifndef SONAR_H
#define SONAR_H

extern volatile unsigned int echo_us;   /* width of the last echo */
extern volatile bit echo_done;

void sonar_init(void);
void sonar_trigger(void);

#endif
