/* SSD1306 128x64 OLED on a bit-banged I2C bus (SCL P2.0, SDA P2.1),
   address 0x78. Text is drawn into a one-page buffer in XDATA first,
   then sent in one go. */
#include <REG52.H>
#include <intrins.h>
#include "oled.h"
#include "..\Font\FONT.H"

sbit OLED_SCL = P2^0;
sbit OLED_SDA = P2^1;

/* One page (8 pixel rows) of the display, drawn here and then sent; at a
   fixed address so the debugger's memory window can show it. */
unsigned char xdata gram[OLED_W] _at_ 0x0100;

static void i2c_start(void)
{
    OLED_SDA = 1;
    OLED_SCL = 1;
    _nop_();
    OLED_SDA = 0;
    _nop_();
    OLED_SCL = 0;
}

static void i2c_stop(void)
{
    OLED_SDA = 0;
    OLED_SCL = 1;
    _nop_();
    OLED_SDA = 1;
}

static void i2c_byte(unsigned char b)
{
    unsigned char i;

    for (i = 0; i < 8; i++) {
        OLED_SDA = (b & 0x80) ? 1 : 0;
        OLED_SCL = 1;
        _nop_();
        OLED_SCL = 0;
        b <<= 1;
    }
    OLED_SDA = 1;       /* ACK clock, not checked */
    OLED_SCL = 1;
    _nop_();
    OLED_SCL = 0;
}

static void oled_cmd(unsigned char c)
{
    i2c_start();
    i2c_byte(0x78);
    i2c_byte(0x00);
    i2c_byte(c);
    i2c_stop();
}

void oled_init(void)
{
    static const unsigned char code init_seq[] = {
        0xAE, 0xD5, 0x80, 0xA8, 0x3F, 0xD3, 0x00, 0x40, 0x8D, 0x14,
        0x20, 0x02, 0xA1, 0xC8, 0xDA, 0x12, 0x81, 0xCF, 0xD9, 0xF1,
        0xDB, 0x40, 0xA4, 0xA6, 0xAF
    };
    unsigned char i;

    for (i = 0; i < sizeof(init_seq); i++)
        oled_cmd(init_seq[i]);
}

void oled_clear_page(void)
{
    unsigned char i;

    for (i = 0; i < OLED_W; i++)
        gram[i] = 0;
}

void oled_draw_string(unsigned char x, const char *s)
{
    unsigned char col, row;

    while (*s && x <= OLED_W - FONT_W) {
        row = font_index(*s++);
        for (col = 0; col < FONT_W; col++)
            gram[x++] = F6x8[row][col];
    }
}

void oled_flush_page(unsigned char page)
{
    unsigned char i;

    oled_cmd(0xB0 + page);
    oled_cmd(0x00);
    oled_cmd(0x10);
    i2c_start();
    i2c_byte(0x78);
    i2c_byte(0x40);
    for (i = 0; i < OLED_W; i++)
        i2c_byte(gram[i]);
    i2c_stop();
}
