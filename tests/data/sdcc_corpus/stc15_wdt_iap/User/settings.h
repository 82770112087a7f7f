#ifndef __SETTINGS_H__
#define __SETTINGS_H__

typedef struct {
    unsigned char target_temp;
    unsigned char hysteresis;
    unsigned char mode;
    unsigned int  boots;
    unsigned char reserved[2];
    unsigned char check;        /* ·Å×îºó */
} settings_t;

extern settings_t xdata settings;

void settings_load(void);
void settings_save(void);

#endif
