/* Shows the last key pressed on a 4x4 keypad; key 15 clears the display. */
#include <AT89X52.H>
#include "..\BSP\Keypad.h"
#include "..\BSP\Seg.h"

void timer1_start(void);

void main(void)
{
    P0 = 0x00;
    timer1_start();
    EA = 1;
    while (1) {
        if (key_ready) {
            key_ready = 0;
            if (key_code == 15)
                P0 = 0x00;
            else
                seg_show_hex(key_code);
        }
    }
}
