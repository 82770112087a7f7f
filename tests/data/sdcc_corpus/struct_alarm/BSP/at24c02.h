#ifndef __AT24C02_H__
#define __AT24C02_H__

#include "common.h"

sbit I2C_SCL = P2^1;
sbit I2C_SDA = P2^0;

void I2C_Start(void);
void I2C_Stop(void);
bit  I2C_WriteByte(u8 dat);
u8   I2C_ReadByte(bit ack);

bit  AT24C02_Write(u8 addr, u8 dat);
u8   AT24C02_Read(u8 addr);
bit  AT24C02_WriteBuf(u8 addr, u8 *buf, u8 len);
void AT24C02_ReadBuf(u8 addr, u8 *buf, u8 len);

#endif
