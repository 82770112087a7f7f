/* Board test for the external RAM: runs the passes, counts the faults and
   shows the result: P1 = number of failed passes, P2 = 0x5A when the test
   has finished, P0 = the pass counter kept at a fixed internal address. */
#include <REG51.H>
#include <ABSACC.H>
#include "memtest.h"

unsigned char data passes _at_ 0x30;

void main(void)
{
    unsigned char failed = 0;

    P2 = 0x00;
    passes = 0;
    if (memtest_bytes(0x55)) failed++;
    passes++;
    if (memtest_bytes(0xAA)) failed++;
    passes++;
    if (memtest_address_lines()) failed++;
    passes++;
    if (memtest_words()) failed++;
    passes++;
    P1 = failed;
    P0 = DBYTE[0x30];
    P2 = 0x5A;
    while (1)
        ;
}
