/* Range finder: measures ten times a second and shows the distance in
   centimetres on P1 (binary); over 255 cm all LEDs light. */
#include <REG52.H>
#include "sonar.h"

static void wait_ms(unsigned int ms)
{
    unsigned char j;

    while (ms--)
        for (j = 0; j < 120; j++)
            ;
}

void main(void)
{
    unsigned int cm;

    sonar_init();
    EA = 1;
    while (1) {
        sonar_trigger();
        wait_ms(60);        /* longest echo is about 38 ms */
        if (echo_done) {
            cm = echo_us / 58;
            P1 = cm > 255 ? 0x00 : ~(unsigned char)cm;
        }
        wait_ms(40);
    }
}
