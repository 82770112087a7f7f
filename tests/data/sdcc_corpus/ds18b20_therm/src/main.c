/* 数字温度计：DS18B20 测温，四位数码管显示，大约每秒更新一次。 */
#include <REG52.H>
#include "..\INC\ds18b20.h"
#include "..\INC\Display.h"

static void delay_1ms(void)
{
    unsigned char i = 250;
    while (--i)
        ;
}

void main(void)
{
    unsigned int loops = 0;
    int t;

    disp_set_number(0);
    while (1) {
        disp_scan();
        delay_1ms();
        if (++loops >= 1000) {
            loops = 0;
            t = ds_read_temp();
            if (t == DS_ERROR)
                disp_set_error();
            else
                disp_set_number(t);
        }
    }
}
