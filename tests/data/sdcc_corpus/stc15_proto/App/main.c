/*
 * STC15F2K60S2 串口通讯协议 (上位机调参)
 * 11.0592MHz
 */
#include "uart1.h"
#include "protocol.h"

sbit LED = P5^5;

void main(void)
{
    P5M0 = 0x00; P5M1 = 0x00;
    Uart1_Init();
    EA = 1;
    LED = 0;
    while (1) {
        if (Uart1_Available()) {
            LED = !LED;
            Proto_Input(Uart1_Read());
        }
    }
}
