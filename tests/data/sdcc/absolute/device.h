/* A memory-mapped device register, placed in one file, declared here. */
extern unsigned char xdata LCD_DATA;
void lcd_put(unsigned char c);
