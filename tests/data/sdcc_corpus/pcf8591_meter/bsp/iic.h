#ifndef __IIC_H__
#define __IIC_H__
#include <reg52.h>
sbit IIC_SCL = P2^1;
sbit IIC_SDA = P2^0;
void IIC_Start(void);
void IIC_Stop(void);
void IIC_Ack(bit ack);
bit  IIC_WaitAck(void);
void IIC_WriteByte(unsigned char d);
unsigned char IIC_ReadByte(void);
#endif
