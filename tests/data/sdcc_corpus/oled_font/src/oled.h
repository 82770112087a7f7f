#ifndef OLED_H
#define OLED_H

#define OLED_W 128

/* One page (8 pixel rows) of the display, drawn here and then sent. */
extern unsigned char xdata gram[OLED_W];

void oled_init(void);
void oled_clear_page(void);
void oled_draw_string(unsigned char x, const char *s);
void oled_flush_page(unsigned char page);

#endif
