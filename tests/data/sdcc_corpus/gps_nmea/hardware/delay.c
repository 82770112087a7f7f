#include "delay.h"

void delay(unsigned int ms)
{
    unsigned char i;
    while (ms--)
        for (i = 0; i < 113; i++);
}
