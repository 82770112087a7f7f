/* 按键：P3.4 档位，P3.5 定时，按下为低。按住不放只算一次。 */
#include <reg52.h>
#include "key.h"

sbit K_SPEED = P3^4;
sbit K_TIMER = P3^5;

static bit held;

unsigned char key_read(void)
{
    unsigned char k = KEY_NONE;

    if (!K_SPEED)
        k = KEY_SPEED;
    else if (!K_TIMER)
        k = KEY_TIMER;
    if (k == KEY_NONE) {
        held = 0;
        return KEY_NONE;
    }
    if (held)
        return KEY_NONE;
    held = 1;
    return k;
}
