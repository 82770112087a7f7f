#ifndef OLED_H
#define OLED_H

#define OLED_W 128

void oled_init(void);
void oled_clear_page(void);
void oled_draw_string(unsigned char x, const char *s);
void oled_flush_page(unsigned char page);

#endif
