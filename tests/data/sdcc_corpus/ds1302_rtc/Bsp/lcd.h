#ifndef __LCD_H__
#define __LCD_H__

void lcd_init(void);
void lcd_line(unsigned char row, const char *text);

#endif
