/* Status flags in bit-addressable memory, shared by the files. */
#ifndef STATUS_H
#define STATUS_H

extern unsigned char bdata status;
sbit ST_READY = status^0;
sbit ST_MID   = status^3;
sbit ST_ERROR = status^7;

void status_step(void);

#endif
