#ifndef KEYPAD_H
#define KEYPAD_H

#define KEY_NONE 0xFF

extern volatile bit key_ready;
extern volatile unsigned char key_code;

void keypad_scan(void);  /* called every 10 ms from the timer interrupt */

#endif
