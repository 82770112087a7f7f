#ifndef CRC16_H
#define CRC16_H

unsigned int crc16(const unsigned char xdata *buf, unsigned char len);

#endif
