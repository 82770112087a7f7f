/* A busy-wait delay calibrated for a 12 MHz crystal. */
#include "board.h"

void delay_ms(unsigned int ms) {
  unsigned char i;
  while (ms--) {
    for (i = 0; i < 120; i++) {
    }
  }
}
