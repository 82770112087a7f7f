/* 板子上的引脚 */
#ifndef _BOARD_H_
#define _BOARD_H_

#include <AT89X52.H>

sbit BEEP    = (P3^6);      /* 无源蜂鸣器，低电平导通 */
sbit LED_RUN = P1 ^ 0;
sbit LED_ALM = P1 ^ 1;
sbit DOOR    = (P3 ^ 2);    /* 门磁，开门为高 */

#endif
