#ifndef __YANSHI_H__
#define __YANSHI_H__

void delay_ms(unsigned int ms);     /* ´ÖÂÔÑÓÊ± */

#endif
