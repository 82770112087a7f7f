/* ”≤º˛≈‰÷√£∫STC8G1K08A£¨ƒ⁄≤ø IRC 11.0592MHz */
#ifndef __CONFIG_H__
#define __CONFIG_H__

#include <STC8G.H>

#define FOSC        11059200UL
#define LONG_PRESS  100         /* 100 x 10ms = 1 √Î */

sbit KEY_UP   = P3^2;
sbit KEY_DOWN = P3^3;
sbit KEY_SET  = P5^4;
sbit LED      = P5^5;

#endif
