/* A device register high in XDATA and a structure placed low, used from two
   files: both keep linking, and the array goes around the structure. P1
   shows what the register and the structure hold: 0x5A. */
#include <REG52.H>
#include "device.h"

struct pair {
  unsigned char a;
  unsigned int b;
};

unsigned char xdata LCD_DATA _at_ 0x8000;
struct pair xdata pairs[4] _at_ 0x0002;
unsigned char xdata big[600];

void main(void) {
  unsigned int i;
  pairs[3].b = 0x5000;
  lcd_put(0x0A);
  for (i = 0; i < sizeof(big); i++) big[i] = 0xFF;
  P1 = LCD_DATA | (unsigned char)(pairs[3].b >> 8);
  while (1) {
  }
}
