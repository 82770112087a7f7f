/* PCF8591: 地址 0x90, 控制字 0x40|ch 打开DA输出 */
#include "iic.h"
#include "pcf8591.h"

#define PCF_W 0x90
#define PCF_R 0x91

bit pcf_error = 0;

unsigned char PCF8591_ReadAD(unsigned char ch)
{
    unsigned char v;
    IIC_Start();
    IIC_WriteByte(PCF_W);
    pcf_error = IIC_WaitAck();
    IIC_WriteByte(0x40 | (ch & 0x03));
    IIC_WaitAck();
    IIC_Start();
    IIC_WriteByte(PCF_R);
    IIC_WaitAck();
    IIC_ReadByte();             /* 第一个是上一次的转换结果 */
    IIC_Ack(1);
    v = IIC_ReadByte();
    IIC_Ack(0);
    IIC_Stop();
    return v;
}

void PCF8591_WriteDA(unsigned char v)
{
    IIC_Start();
    IIC_WriteByte(PCF_W);
    IIC_WaitAck();
    IIC_WriteByte(0x40);
    IIC_WaitAck();
    IIC_WriteByte(v);
    IIC_WaitAck();
    IIC_Stop();
}
