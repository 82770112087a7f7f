/* The two setting keys on port 3, active low. */
#ifndef KEYS_H
#define KEYS_H

#define KEY_NONE 0
#define KEY_HOURS 1
#define KEY_MINUTES 2

unsigned char keys_read(void);

#endif
