/* 参数保存：8 字节，带校验和，存在 EEPROM 第 0 扇区。 */
#include <STC15F2K60S2.H>
#include "..\driver\IAP.H"
#include "settings.h"

settings_t xdata settings;

static unsigned char checksum(unsigned char xdata *p, unsigned char n)
{
    unsigned char sum = 0;

    while (n--)
        sum += *p++;
    return ~sum;
}

void settings_load(void)
{
    unsigned char xdata *p = (unsigned char xdata *)&settings;
    unsigned char i;

    for (i = 0; i < sizeof(settings); i++)
        p[i] = iap_read_byte(i);
    if (checksum(p, sizeof(settings) - 1) != settings.check) {
        settings.target_temp = 60;
        settings.hysteresis = 2;
        settings.mode = 0;
        settings.boots = 0;
    }
}

void settings_save(void)
{
    unsigned char xdata *p = (unsigned char xdata *)&settings;
    unsigned char i;

    settings.check = checksum(p, sizeof(settings) - 1);
    iap_erase_sector(0);
    for (i = 0; i < sizeof(settings); i++)
        iap_write_byte(i, p[i]);
}
