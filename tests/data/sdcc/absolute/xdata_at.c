/* An XDATA variable at a fixed address inside the room a relocatable array
   would take: the array must go around it. P1 shows 0x5A. */
#include <REG52.H>

unsigned char xdata mark _at_ 0x0100;
unsigned char xdata big[600];

void main(void) {
  unsigned int i;
  mark = 0x5A;
  for (i = 0; i < sizeof(big); i++) big[i] = 0;
  P1 = mark;
  while (1) {
  }
}
