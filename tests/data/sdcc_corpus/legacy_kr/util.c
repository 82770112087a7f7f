/*
 * util.c -- conversion helpers carried over from the old board.
 * Written in the old style; do not "clean up", the files are shared with
 * the tester firmware.
 */
#include "util.h"

unsigned char bin2bcd(v)
unsigned char v;
{
    return ((v / 10) << 4) | (v % 10);
}

unsigned char bcd2bin(v)
unsigned char v;
{
    return (v >> 4) * 10 + (v & 0x0F);
}

/* CRC-8, polynomial x^8+x^2+x+1 */
unsigned char crc8(buf, len)
unsigned char xdata *buf;
unsigned char len;
{
    unsigned char crc = 0, i;

    while (len--) {
        crc ^= *buf++;
        for (i = 0; i < 8; i++)
            crc = (crc & 0x80) ? (crc << 1) ^ 0x07 : (crc << 1);
    }
    return crc;
}

int clamp(v, lo, hi)
int v, lo, hi;
{
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}
