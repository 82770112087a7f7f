#ifndef FONT_H
#define FONT_H

#define FONT_W 6

extern const unsigned char code F6x8[][FONT_W];
unsigned char font_index(char c);

#endif
