#ifndef __KEY_H__
#define __KEY_H__

#define KEY_NONE  0
#define KEY_SPEED 1     /* µµÎ»¼ü */
#define KEY_TIMER 2     /* ¶¨Ê±¼ü */

unsigned char key_read(void);

#endif
