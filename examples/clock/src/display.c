/* Shows one digit per call, so the main loop must call it often. */
#include "display.h"

static const unsigned char code segments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                0x6D, 0x7D, 0x07, 0x7F, 0x6F};
static unsigned char digits[4];
static unsigned char shown;

void display_show(unsigned char hours, unsigned char minutes) {
  digits[0] = segments[hours / 10];
  digits[1] = segments[hours % 10];
  digits[2] = segments[minutes / 10];
  digits[3] = segments[minutes % 10];
}

void display_refresh(void) {
  DIGIT_PORT = 0xFF;
  SEGMENT_PORT = ~digits[shown];
  DIGIT_PORT = ~(1 << shown);
  shown = (shown + 1) & 3;
}
