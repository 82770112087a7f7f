#ifndef __LED_H__
#define __LED_H__

#define LED_PORT P1

void led_init(void);
void led_show(unsigned char pattern);
void led_pattern_play(void);

#endif
