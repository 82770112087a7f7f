/* Flags in bdata with sbit names, set, cleared, assigned and tested from
   two files, and a word in bdata with a bit in each byte. The inputs
   come from P3 (all ones in the simulator), so nothing is known before the
   program runs. */
#include <REG52.H>
#include "status.h"

unsigned int bdata word_flags;
sbit WF_HIGH = word_flags^12;
sbit WF_LOW  = word_flags^1;

void main(void)
{
    unsigned char n = 0;
    unsigned char in = P3;

    status = 0;
    word_flags = 0;
    ST_READY = in & 1;          /* 1 */
    WF_HIGH = ST_READY;         /* ^12: bit 4 of the low byte */
    WF_LOW = (in == 0);         /* stays 0 */
    WF_LOW |= (in == 0xFF);     /* ^1: bit 1 of the high byte */
    if (ST_READY && !ST_ERROR)
        n |= 1;
    status_step();              /* MID and ERROR set */
    if (WF_HIGH)
        n |= 2;
    P1 = status;                /* 0x89 */
    P2 = (unsigned char)(word_flags >> 8);  /* 0x02 */
    P0 = n | ((unsigned char)word_flags << 4);  /* 0x03 */
    while (1)
        ;
}
