/* 掉电保存的计数器：按一下 P3.2 加一，数值写进 AT24C02 的 0 号地址，
   上电时读回来，在 P1 的灯上显示。 */
#include <reg52.h>
#include "..\driver\at24c02.h"

sbit KEY = P3^2;

static void delay10ms(void)
{
    unsigned char i, j;

    for (i = 20; i; i--)
        for (j = 248; j; j--)
            ;
}

void main(void)
{
    unsigned char count;

    count = at24_read(0x00);
    P1 = ~count;
    while (1) {
        if (!KEY) {
            delay10ms();            /* 消抖 */
            if (!KEY) {
                count++;
                if (!at24_write(0x00, count))
                    count = 0xFF;   /* 写失败：全亮报警 */
                P1 = ~count;
                while (!KEY)
                    ;
            }
        }
    }
}
