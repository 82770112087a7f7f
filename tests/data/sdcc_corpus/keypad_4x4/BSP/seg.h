#ifndef SEG_H
#define SEG_H

void seg_show_hex(unsigned char value);

#endif
