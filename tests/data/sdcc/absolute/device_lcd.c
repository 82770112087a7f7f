#include "device.h"

void lcd_put(unsigned char c) { LCD_DATA = c; }
