/* Traffic lights of a two-road crossing with a two-digit countdown on
   P2 (BCD, one digit per nibble, for a pair of 4511 decoders). */
#include "LIGHTS.H"

void timer_init(void);

void main(void)
{
    unsigned char r;

    lights_start();
    timer_init();
    EA = 1;
    while (1) {
        if (second_tick) {
            second_tick = 0;
            lights_step();
        }
        r = lights_remaining();
        P2 = ((r / 10) << 4) | (r % 10);
    }
}
