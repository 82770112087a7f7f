/* UART receive interrupt: bytes into the frame buffer, restart the gap
   timer after each. Register bank 2 keeps the entry short. */
#include <REG52.H>
#include "modbus.h"

void uart_isr(void) interrupt 4 using 2
{
    if (RI) {
        RI = 0;
        if (!mb_frame_ready && mb_rx_len < MB_BUF_SIZE)
            mb_rx[mb_rx_len++] = SBUF;
        mb_char_gap_restart();
    }
}
