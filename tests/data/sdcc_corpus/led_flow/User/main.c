/* 流水灯：P1 口接八个 LED，低电平点亮。
   先让一个灯从 P1.0 走到 P1.7，再放一遍花样表，然后从头再来。 */
#include <reg52.h>
#include <intrins.h>
#include "..\HARDWARE\Delay.h"
#include "..\hardware\LED.H"

void main(void)
{
    unsigned char i;

    led_init();
    while (1) {
        for (i = 0; i < 8; i++) {       /* 单灯左移一圈 */
            led_show(_crol_(0xFE, i));
            delay_ms(FLOW_MS);
        }
        led_pattern_play();             /* 花样表 */
    }
}
