/* A second routine for timer 0, which timer0.c already serves. */
#include <REG51.H>

void tick(void) interrupt 1 {
  P1 = 0;
}
