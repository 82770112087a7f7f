/* Half-step sequence for a 4-phase unipolar motor (A, AB, B, BC, ...). */
#include <AT89X51.H>
#include "stepper.h"

static unsigned char code half_steps[8] = {
    0x01, 0x03, 0x02, 0x06, 0x04, 0x0C, 0x08, 0x09
};
static unsigned char index;

void stepper_step(bit clockwise)
{
    if (clockwise)
        index = (index + 1) & 7;
    else
        index = (index - 1) & 7;
    STEPPER_PORT = (STEPPER_PORT & 0xF0) | half_steps[index];
}

void stepper_off(void)
{
    STEPPER_PORT &= 0xF0;
}
