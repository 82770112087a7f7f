/* An 80-byte buffer above the bit area leaves DATA in two pieces, each too
   short for the frames of work() and fill() laid end to end: they are laid
   in both. P1 shows 0x5A when every frame kept its bytes and the buffer and
   the bit their values. */
#include <REG52.H>

unsigned char buf[80];
bit flag;

unsigned char fill(unsigned char n) {
  unsigned char t[12];
  unsigned char i, s = 0;
  for (i = 0; i < 12; i++) t[i] = n + i;
  for (i = 0; i < 12; i++) s += t[i];
  return s;
}

unsigned char work(unsigned char k) {
  unsigned char w[20];
  unsigned char i, s;
  for (i = 0; i < 20; i++) w[i] = k ^ i;
  s = fill(w[3]);
  for (i = 0; i < 20; i++) {
    if (w[i] != (k ^ i)) return 0; /* fill() wrote over this frame */
    s += w[i];
  }
  return s;
}

void main(void) {
  unsigned char i, r = 0x5A;
  for (i = 0; i < sizeof(buf); i++) buf[i] = i;
  flag = 1;
  if (work(buf[5]) != 0x58) r = 0x01;
  for (i = 0; i < sizeof(buf); i++) {
    if (buf[i] != i) r = 0x02;
  }
  if (!flag) r = 0x03;
  P1 = r;
  while (1) {
  }
}
