#ifndef __KEY_H__
#define __KEY_H__
#include "..\User\common.h"
sbit KEY_MENU = P3^4;
sbit KEY_ADD  = P3^5;
sbit KEY_SUB  = P3^6;
sbit KEY_OK   = P3^7;
#define KV_NONE 0
#define KV_MENU 1
#define KV_ADD  2
#define KV_SUB  3
#define KV_OK   4
uint8 Key_Scan(void);
#endif
