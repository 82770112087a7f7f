#ifndef __KEY_H__
#define __KEY_H__

/* °´¼üÊÂ¼þ */
#define EV_NONE     0
#define EV_UP       1
#define EV_DOWN     2
#define EV_SET      3
#define EV_SET_LONG 4

void key_scan_10ms(void);
unsigned char key_get_event(void);

#endif
