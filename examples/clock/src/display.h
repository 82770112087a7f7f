/* A four-digit seven-segment display, multiplexed one digit at a time. */
#ifndef DISPLAY_H
#define DISPLAY_H

#include <REG52.H>

#define SEGMENT_PORT P0
#define DIGIT_PORT P2

void display_show(unsigned char hours, unsigned char minutes);
void display_refresh(void);

#endif
