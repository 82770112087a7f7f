#ifndef __FMT_H__
#define __FMT_H__
void show_line(char *label, int value, unsigned char width);
void show_temp(float t);
void show_bins();
#endif
