/* LED 驱动：端口写 0 灯亮。花样表放在 code 区，不占 RAM。 */
#include <REG52.H>
#include "led.h"
#include "delay.h"

/* 两边往中间收、再散开 */
static unsigned char code flow_table[] = {
    0x7E, 0xBD, 0xDB, 0xE7, 0xDB, 0xBD, 0x7E, 0x00
};

void led_init(void)
{
    LED_PORT = 0xFF;    /* 上电全灭 */
}

void led_show(unsigned char pattern)
{
    LED_PORT = pattern;
}

void led_pattern_play(void)
{
    unsigned char k;

    for (k = 0; k < sizeof(flow_table); k++) {
        led_show(flow_table[k]);
        delay_ms(FLOW_MS);
    }
    led_show(0xFF);
}
