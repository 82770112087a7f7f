/* Menu demo: keys on P3.2 (down), P3.3 (up), P3.4 (enter); titles go out
   on the UART (a terminal stands in for the display). */
#include <REG52.H>
#include "..\UI\Menu.h"

void show_title(const char code *title)
{
    while (*title) {
        SBUF = *title++;
        while (!TI)
            ;
        TI = 0;
    }
    SBUF = '\n';
    while (!TI)
        ;
    TI = 0;
}

static unsigned char read_key(void)
{
    if (!(P3 & 0x04)) return KEY_DOWN;
    if (!(P3 & 0x08)) return KEY_UP;
    if (!(P3 & 0x10)) return KEY_ENTER;
    return 0;
}

void main(void)
{
    unsigned char key, last = 0;

    SCON = 0x50;
    TMOD = 0x20;
    TH1 = TL1 = 0xFD;
    TR1 = 1;
    menu_init();
    while (1) {
        key = read_key();
        if (key && key != last)
            menu_key(key);
        last = key;
    }
}
