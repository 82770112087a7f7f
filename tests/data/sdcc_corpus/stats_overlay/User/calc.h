#ifndef __CALC_H__
#define __CALC_H__
unsigned int weighted_sum(unsigned char *v, unsigned char n, unsigned char w);
void histogram(unsigned char *dat, unsigned char n, unsigned char *bins);
unsigned char median5(unsigned char a, unsigned char b, unsigned char c, unsigned char d, unsigned char e);
long poly();        /* old-style, as in many tutorials */
unsigned int stats(unsigned char *v, unsigned char n);
#endif
