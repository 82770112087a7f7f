/* 硬件配置：STC8G1K08A，内部 IRC 11.0592MHz */
#ifndef __CONFIG_H__
#define __CONFIG_H__

#include <STC8G.H>

#define FOSC        11059200UL
#define LONG_PRESS  100         /* 100 x 10ms = 1 秒 */

sbit KEY_UP   = P3^2;
sbit KEY_DOWN = P3^3;
sbit KEY_SET  = P5^4;
sbit LED      = P5^5;

/* 软复位后保留的标志，放在 IDATA 固定地址，启动时不清 */
extern unsigned char idata boot_flag;
#define BOOT_MAGIC  0xA5

#endif
