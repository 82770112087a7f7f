/* Timer 0 in mode 1 as the 1 ms system tick at 12 MHz. */
#include <regx52.h>
#include "..\inc\timer0.h"

void timer0_init(void)
{
    TMOD &= 0xF0;
    TMOD |= 0x01;
    TH0 = T0_RELOAD_H;
    TL0 = T0_RELOAD_L;
    ET0 = 1;
    TR0 = 1;
}
