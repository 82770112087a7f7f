#ifndef __WDT_H__
#define __WDT_H__

/* 看门狗：预分频 64，11.0592MHz 下约 1.1 秒溢出 */
#define WDT_START  0x25     /* EN_WDT | PS=5 */
#define WDT_CLEAR  0x10

#define wdt_start()  (WDT_CONTR = WDT_START)
#define wdt_feed()   (WDT_CONTR |= WDT_CLEAR)

#endif
