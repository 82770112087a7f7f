#ifndef __IAP_H__
#define __IAP_H__

/* STC15F2K60S2 的 EEPROM 从 IAP 地址 0 开始，扇区 512 字节 */
#define IAP_SECTOR_SIZE 512

void iap_erase_sector(unsigned int addr);
void iap_write_byte(unsigned int addr, unsigned char dat);
unsigned char iap_read_byte(unsigned int addr);

#endif
