#ifndef __DELAY_H__
#define __DELAY_H__

void Delay10us(void);
void Delay100us(void);
void Delay_ms(unsigned char ms);
unsigned char Get_Loops(void);

#endif
