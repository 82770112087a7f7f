/* IAP 读写：IAP_CONTR 的等待时间按 12MHz 以下取 3。 */
#include <STC15F2K60S2.H>
#include <intrins.h>
#include "iap.h"

#define IAP_ENABLE 0x83

static void iap_trigger(unsigned char cmd, unsigned int addr)
{
    IAP_CONTR = IAP_ENABLE;
    IAP_CMD = cmd;
    IAP_ADDRL = addr;
    IAP_ADDRH = addr >> 8;
    IAP_TRIG = 0x5A;        /* STC15 系列是 5A A5 */
    IAP_TRIG = 0xA5;
    _nop_();
    IAP_CONTR = 0;
    IAP_CMD = 0;
    IAP_TRIG = 0;
    IAP_ADDRH = 0x80;
    IAP_ADDRL = 0;
}

unsigned char iap_read_byte(unsigned int addr)
{
    iap_trigger(1, addr);
    return IAP_DATA;
}

void iap_write_byte(unsigned int addr, unsigned char dat)
{
    IAP_DATA = dat;
    iap_trigger(2, addr);
}

void iap_erase_sector(unsigned int addr)
{
    iap_trigger(3, addr);
}
