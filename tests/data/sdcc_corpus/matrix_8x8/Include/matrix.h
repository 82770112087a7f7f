#ifndef MATRIX_H
#define MATRIX_H

/* Row data goes through a 74HC595 (SER P3.4, SRCLK P3.6, RCLK P3.5);
   columns are P0, low = on. */
extern unsigned char idata frame[8];

void matrix_init(void);
void matrix_show_digit(unsigned char d);

#endif
