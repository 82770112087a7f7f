#ifndef __HANDLERS_H__
#define __HANDLERS_H__
extern unsigned char total;
void cmd_add(unsigned char a, unsigned char b);
void cmd_mix(unsigned char a, unsigned int b, unsigned char c);
unsigned char cmd_sub(unsigned char a, unsigned char b);
#endif
