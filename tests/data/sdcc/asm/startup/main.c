/* The C side of the start-up test: an initialised variable proves that the
   C run-time ran after the start-up, port 1 shows it, port 3 the assembly
   routine's work. */
#include <reg52.h>

extern void set_port(void);

unsigned char init = 0x21;

void main(void) {
  P1 = init + 1;
  set_port();
  for (;;) {
  }
}
