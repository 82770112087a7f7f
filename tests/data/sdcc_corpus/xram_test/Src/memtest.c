/* External RAM test through absolute access: a pattern pass, an address
   line pass (each cell gets its own address' low byte, so stuck or
   shorted address lines show) and a word pass. Each returns the number of
   bad cells. */
#include <ABSACC.H>
#include "memtest.h"

unsigned int memtest_bytes(unsigned char pattern)
{
    unsigned int a, bad = 0;

    for (a = XRAM_START; a <= XRAM_END; a++)
        XBYTE[a] = pattern;
    for (a = XRAM_START; a <= XRAM_END; a++) {
        if (XBYTE[a] != pattern)
            bad++;
    }
    return bad;
}

unsigned int memtest_address_lines(void)
{
    unsigned int a, bad = 0;

    for (a = XRAM_START; a <= XRAM_END; a++)
        XBYTE[a] = (unsigned char)(a ^ (a >> 8));
    for (a = XRAM_START; a <= XRAM_END; a++) {
        if (XBYTE[a] != (unsigned char)(a ^ (a >> 8)))
            bad++;
    }
    return bad;
}

unsigned int memtest_words(void)
{
    unsigned int i, bad = 0;

    for (i = 0; i < (XRAM_END + 1) / 2; i++)
        XWORD[i] = ~i;
    for (i = 0; i < (XRAM_END + 1) / 2; i++) {
        if (XWORD[i] != (unsigned int)~i)
            bad++;
    }
    return bad;
}
