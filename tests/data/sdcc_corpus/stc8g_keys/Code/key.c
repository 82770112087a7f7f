/* 三个按键，10ms 扫描一次。状态机：松开 -> 消抖 -> 按下 -> 长按。 */
#include "config.h"
#include "key.h"

static unsigned char key_event;
static unsigned char hold_time;
static unsigned char last_keys = 0x07;

static unsigned char read_keys(void)
{
    unsigned char k = 0;

    if (KEY_UP)   k |= 0x01;
    if (KEY_DOWN) k |= 0x02;
    if (KEY_SET)  k |= 0x04;
    return k;   /* 1 = 没按 */
}

void key_scan_10ms(void)
{
    unsigned char k = read_keys();

    if (k != last_keys) {       /* 变化了，下次再确认 */
        if (k == 0x07 && hold_time && hold_time < LONG_PRESS) {
            if (!(last_keys & 0x01)) key_event = EV_UP;
            if (!(last_keys & 0x02)) key_event = EV_DOWN;
            if (!(last_keys & 0x04)) key_event = EV_SET;
        }
        hold_time = 0;
        last_keys = k;
        return;
    }
    if (k != 0x07 && hold_time < 0xFF) {
        if (++hold_time == LONG_PRESS && !(k & 0x04))
            key_event = EV_SET_LONG;
    }
}

unsigned char key_get_event(void)
{
    unsigned char ev;

    EA = 0;
    ev = key_event;
    key_event = EV_NONE;
    EA = 1;
    return ev;
}
