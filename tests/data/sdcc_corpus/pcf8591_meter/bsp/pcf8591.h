#ifndef __PCF8591_H__
#define __PCF8591_H__
extern bit pcf_error;
unsigned char PCF8591_ReadAD(unsigned char ch);
void PCF8591_WriteDA(unsigned char v);
#endif
