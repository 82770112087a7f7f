/* Flow meter: shows whole litres on the P1 LEDs (binary, low = on) and
   the pulse count's low bits on P2. */
#include <AT89S52.H>
#include "Counter.H"

void main(void)
{
    unsigned int pulses;

    exint_init();
    EA = 1;
    while (1) {
        if (reset_request) {
            EA = 0;
            pulse_count = 0;
            reset_request = 0;
            EA = 1;
        }
        EA = 0;             /* 16-bit read must not be torn */
        pulses = pulse_count;
        EA = 1;
        P1 = ~(unsigned char)(pulses / PULSES_PER_LITRE);
        P2 = (unsigned char)pulses;
    }
}
