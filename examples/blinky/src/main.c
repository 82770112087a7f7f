/* Blinks the LEDs on port 1 with a software delay. */
#include "board.h"

void main(void) {
  unsigned char pattern = 0x01;
  unsigned char unused; /* SIM: WARNING C280 'unused': unreferenced local variable */

  while (1) {
    LED_PORT = ~pattern;
    delay_ms(TICKS_PER_BLINK);
    pattern = (pattern << 1) | (pattern >> 7);
  }
}
