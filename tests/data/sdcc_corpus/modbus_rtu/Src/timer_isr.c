/* Gap timer overflow: the line has been quiet for 3.5 characters, the
   frame is complete. */
#include <REG52.H>
#include "modbus.h"

void timer0_isr(void) interrupt 1 using 1
{
    TR0 = 0;
    if (mb_rx_len)
        mb_frame_ready = 1;
}
