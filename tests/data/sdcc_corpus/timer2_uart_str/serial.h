#ifndef __SERIAL_H__
#define __SERIAL_H__

void serial_init(void);
void serial_send(const char code *s);
bit serial_busy(void);

#endif
