/* The second UART of the STC parts, interrupt 8: its vector lies above
   those the main module's table reaches. It never fires on a plain 8051. */
#include <REG51.H>

unsigned char received;

void uart2(void) interrupt 8 {
  received++;
  P1 = 0;
}
