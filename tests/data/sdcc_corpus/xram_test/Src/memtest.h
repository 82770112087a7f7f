#ifndef MEMTEST_H
#define MEMTEST_H

#define XRAM_START 0x0000
#define XRAM_END   0x07FF   /* 2 KB SRAM on the board */

unsigned int memtest_bytes(unsigned char pattern);
unsigned int memtest_address_lines(void);
unsigned int memtest_words(void);

#endif
