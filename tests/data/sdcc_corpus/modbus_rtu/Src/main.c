/* Modbus RTU slave on an AT89C52 with 1 KB of external RAM, address 1.
   At power-on it checks its CRC routine on a known request and shows the
   CRC on P1 (low byte) and P2 (high byte) before it starts serving. */
#include <REG52.H>
#include "crc16.h"
#include "modbus.h"

static const unsigned char code self_test[] = { 0x01, 0x03, 0x00, 0x00, 0x00, 0x0A };

void main(void)
{
    unsigned char i;
    unsigned int crc;

    for (i = 0; i < sizeof(self_test); i++)
        mb_rx[i] = self_test[i];
    crc = crc16(mb_rx, sizeof(self_test));
    P1 = crc & 0xFF;
    P2 = crc >> 8;
    for (i = 0; i < MB_REGS; i++)
        holding[i] = i * 100;
    mb_init();
    EA = 1;
    while (1)
        mb_poll();
}
