/* Pin assignments of the demo board. */
#ifndef BOARD_H
#define BOARD_H

#include <REG52.H>

#define LED_PORT P1
#define TICKS_PER_BLINK 250

void delay_ms(unsigned int ms);

#endif
