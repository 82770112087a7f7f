#ifndef UTIL_H
#define UTIL_H

unsigned char bin2bcd();
unsigned char bcd2bin();
unsigned char crc8();
int clamp();

#endif
