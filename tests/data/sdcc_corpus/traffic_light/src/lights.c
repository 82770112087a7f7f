/* The crossing's state machine: green, yellow, then the other road. */
#include "lights.h"

static const struct {
    unsigned char lamps;
    unsigned char seconds;
    phase_t next;
} code phases[4] = {
    { NS_GREEN | EW_RED,  25, NS_SLOW },
    { NS_YELLOW | EW_RED,  3, EW_GO },
    { EW_GREEN | NS_RED,  20, EW_SLOW },
    { EW_YELLOW | NS_RED,  3, NS_GO },
};

static phase_t phase;
static unsigned char remaining;

static void show(void)
{
    P1 = ~phases[phase].lamps;
}

void lights_start(void)
{
    phase = NS_GO;
    remaining = phases[phase].seconds;
    show();
}

void lights_step(void)
{
    if (--remaining == 0) {
        phase = phases[phase].next;
        remaining = phases[phase].seconds;
        show();
    }
}

unsigned char lights_remaining(void)
{
    return remaining;
}
