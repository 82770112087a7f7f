#ifndef LIGHTS_H
#define LIGHTS_H

#include <AT89C51RC.H>

/* Lamps, low = on. North-south on P1.0-P1.2, east-west on P1.3-P1.5. */
#define NS_RED    0x01
#define NS_YELLOW 0x02
#define NS_GREEN  0x04
#define EW_RED    0x08
#define EW_YELLOW 0x10
#define EW_GREEN  0x20

typedef enum { NS_GO, NS_SLOW, EW_GO, EW_SLOW } phase_t;

extern volatile bit second_tick;

void lights_start(void);
void lights_step(void);         /* once a second */
unsigned char lights_remaining(void);

#endif
