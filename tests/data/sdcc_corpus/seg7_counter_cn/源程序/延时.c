/* ´ÖÂÔµÄºÁÃëÑÓÊ±£¨12MHz£© */
#include "ÑÓÊ±.h"

void delay_ms(unsigned int ms)
{
    unsigned char i;

    while (ms--)
        for (i = 0; i < 120; i++)
            ;
}
