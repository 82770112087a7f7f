#ifndef __SHUMAGUAN_H__
#define __SHUMAGUAN_H__

/* 四位共阴数码管：段选 P0，位选 P2.2~P2.4 接 74HC138 */

void seg_set(unsigned int value);
void seg_refresh(void);     /* 每 2ms 调一次 */

#endif
