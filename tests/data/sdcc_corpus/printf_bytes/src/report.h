#ifndef REPORT_H
#define REPORT_H

void uart_puts(const char *s);
void report_status(unsigned char mode, unsigned char flags, int temp, unsigned int hours);
void report_bytes(unsigned char xdata *buf, unsigned char n);
void report_mix(unsigned char v);

#endif
