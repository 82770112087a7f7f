#ifndef __XIANSHI_H__
#define __XIANSHI_H__

void show_status(unsigned char level, unsigned char minutes);

#endif
