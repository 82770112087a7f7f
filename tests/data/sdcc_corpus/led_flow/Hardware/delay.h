#ifndef __DELAY_H__
#define __DELAY_H__

/* 流水的节拍，毫秒 */
#define FLOW_MS 20

void delay_ms(unsigned int ms);

#endif
