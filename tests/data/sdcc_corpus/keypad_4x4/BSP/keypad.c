/* 4x4 matrix keypad on P1: rows P1.0-P1.3 driven low one at a time,
   columns P1.4-P1.7 read back. A key must be seen on two scans in a row
   before it counts (20 ms debounce). */
#include <AT89X52.H>
#include "keypad.h"

volatile bit key_ready;
volatile unsigned char key_code = KEY_NONE;

static unsigned char last_seen = KEY_NONE;
static bit released = 1;

static unsigned char read_matrix(void)
{
    unsigned char row, cols;

    for (row = 0; row < 4; row++) {
        P1 = ~(0x01 << row);
        cols = P1 >> 4;
        if (cols != 0x0F) {
            if (!(cols & 0x01)) return row * 4 + 0;
            if (!(cols & 0x02)) return row * 4 + 1;
            if (!(cols & 0x04)) return row * 4 + 2;
            return row * 4 + 3;
        }
    }
    return KEY_NONE;
}

void keypad_scan(void)
{
    unsigned char now = read_matrix();

    if (now == KEY_NONE) {
        released = 1;
    } else if (now == last_seen && released) {
        key_code = now;
        key_ready = 1;
        released = 0;
    }
    last_seen = now;
}
