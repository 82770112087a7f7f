#ifndef UTIL_H
#define UTIL_H

/* Prototypes: the definitions in util.c keep the old style. */
unsigned char bin2bcd(unsigned char v);
unsigned char bcd2bin(unsigned char v);
unsigned char crc8(unsigned char xdata *buf, unsigned char len);
int clamp(int v, int lo, int hi);

#endif
