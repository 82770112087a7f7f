#ifndef __EEPROM_H__
#define __EEPROM_H__

/* STC89C52RC 的 EEPROM 从 0x2000 开始，每扇区 512 字节 */
#define EEPROM_BASE 0x2000

unsigned char eeprom_read(unsigned int addr);
bit eeprom_write(unsigned int addr, unsigned char dat);
void eeprom_erase(unsigned int addr);

#endif
