/* 开机次数记录：每次上电把 EEPROM 里的计数加一，用 P1 的 LED 显示。
   写失败时 P3.7 的蜂鸣器响。 */
#include <STC89C5xRC.H>
#include "eeprom.h"

#define COUNT_ADDR  (EEPROM_BASE + 0)
#define MAGIC_ADDR  (EEPROM_BASE + 1)
#define MAGIC       0x5A

sbit BUZZER = P3^7;

void main(void)
{
    unsigned char count;

    BUZZER = 1;
    if (eeprom_read(MAGIC_ADDR) != MAGIC)
        count = 0;                  /* 第一次上电 */
    else
        count = eeprom_read(COUNT_ADDR);
    count++;
    eeprom_erase(EEPROM_BASE);      /* 只能按扇区擦 */
    if (!eeprom_write(COUNT_ADDR, count) || !eeprom_write(MAGIC_ADDR, MAGIC))
        BUZZER = 0;
    P1 = ~count;
    while (1)
        ;
}
