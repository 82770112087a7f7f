/* A DATA variable at a fixed address beside a relocatable array bigger
   than the room below it: the array must go around it. P1 shows 0x5A. */
#include <REG52.H>

unsigned char data keep _at_ 0x30;
unsigned char buf[48];

void main(void) {
  unsigned char i;
  keep = 0x5A;
  for (i = 0; i < sizeof(buf); i++) buf[i] = 0;
  P1 = keep;
  while (1) {
  }
}
