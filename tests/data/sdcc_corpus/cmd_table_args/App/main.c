#include <REG52.H>
#include "table.h"

void main(void)
{
    unsigned char i, r;

    for (i = 0; i < 2; i++) {
        if (cmd_table[i].two)
            cmd_table[i].two(0x30, 0x05);
        else
            (*cmd_table[i].three)(0x0F, 0x3300, 0xA0);
    }
    r = calc(0x50, 0x08);
    P2 = r;
    while (1)
        ;
}
