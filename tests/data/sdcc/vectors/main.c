/* Starts both timers and waits. The interrupt routines live in files of
   their own, without main(). */
#include <REG51.H>

/* 1000 machine cycles: 1 ms at 12 MHz. */
#define RELOAD_HIGH 0xFC
#define RELOAD_LOW 0x18

void main(void) {
  TMOD = 0x11; /* both timers 16-bit */
  TH0 = RELOAD_HIGH;
  TL0 = RELOAD_LOW;
  TH1 = RELOAD_HIGH;
  TL1 = RELOAD_LOW;
  ET0 = 1;
  ET1 = 1;
  TR0 = 1;
  TR1 = 1;
  EA = 1;
  while (1) {
  }
}
