/* Stepper control: P3.2 runs clockwise, P3.3 anticlockwise, P3.4 changes
   speed (three delays); nothing pressed lets the coils go. */
#include <AT89X51.H>
#include "STEPPER.H"

static unsigned int code speeds[3] = { 2000, 1200, 800 };   /* us per step */
static unsigned char speed;

static void delay_us(unsigned int us)
{
    while (us >= 8) {   /* about 8 us a round at 12 MHz */
        us -= 8;
    }
}

void main(void)
{
    bit speed_key_was_down = 0;

    while (1) {
        if (!P3_4) {
            if (!speed_key_was_down)
                speed = (speed + 1) % 3;
            speed_key_was_down = 1;
        } else {
            speed_key_was_down = 0;
        }
        if (!P3_2)
            stepper_step(1);
        else if (!P3_3)
            stepper_step(0);
        else
            stepper_off();
        delay_us(speeds[speed]);
    }
}
