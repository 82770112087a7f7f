/* OLED greeting: draws a line of text into the page buffer and shows it
   on page 0 of the display. */
#include <REG52.H>
#include "oled.h"

void main(void)
{
    oled_clear_page();
    oled_draw_string(0, "HELLO 51");
    oled_init();
    oled_flush_page(0);
    while (1)
        ;
}
