#ifndef __AT24C02_H__
#define __AT24C02_H__

#define AT24_ADDR 0xA0

bit at24_write(unsigned char addr, unsigned char dat);
unsigned char at24_read(unsigned char addr);

#endif
