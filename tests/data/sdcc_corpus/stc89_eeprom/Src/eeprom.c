/* 用 ISP/IAP 寄存器读写片内 EEPROM。命令：1 读，2 写，3 扇区擦除。
   触发要先写 0x46 再写 0xB9，中间不能被打断，所以关中断。 */
#include <STC89C5xRC.H>
#include <intrins.h>
#include "eeprom.h"

#define CMD_READ   1
#define CMD_WRITE  2
#define CMD_ERASE  3
#define WAIT_TIME  0x81     /* 允许 IAP，等待时间对应 <20MHz */

static void iap_idle(void)
{
    ISP_CONTR = 0;
    ISP_CMD = 0;
    ISP_TRIG = 0;
    ISP_ADDRH = 0xFF;       /* 指到非 EEPROM 区，防误操作 */
    ISP_ADDRL = 0xFF;
}

static void iap_go(unsigned char cmd, unsigned int addr)
{
    bit ea_save = EA;

    ISP_CONTR = WAIT_TIME;
    ISP_CMD = cmd;
    ISP_ADDRL = addr;
    ISP_ADDRH = addr >> 8;
    EA = 0;
    ISP_TRIG = 0x46;
    ISP_TRIG = 0xB9;
    _nop_();
    EA = ea_save;
}

unsigned char eeprom_read(unsigned int addr)
{
    unsigned char dat;

    iap_go(CMD_READ, addr);
    dat = ISP_DATA;
    iap_idle();
    return dat;
}

bit eeprom_write(unsigned int addr, unsigned char dat)
{
    ISP_DATA = dat;
    iap_go(CMD_WRITE, addr);
    iap_idle();
    return eeprom_read(addr) == dat;
}

void eeprom_erase(unsigned int addr)
{
    iap_go(CMD_ERASE, addr);
    iap_idle();
}
