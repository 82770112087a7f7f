#include <reg52.h>

void Com_Init(void)
{
    SCON = 0x50;
    TMOD = (TMOD & 0x0F) | 0x20;
    TH1 = 0xFD; TL1 = 0xFD;
    TR1 = 1;
    TI = 1;
}
