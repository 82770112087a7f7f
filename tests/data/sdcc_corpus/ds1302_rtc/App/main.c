/* 万年历：第一行日期，第二行时间和星期，每 200ms 读一次 DS1302。
   LARGE 模式，变量都在 XDATA。 */
#include <reg52.h>
#include "..\BSP\DS1302.H"
#include "..\BSP\LCD.H"

static const char code week_names[7][4] = { "MON", "TUE", "WED", "THU", "FRI", "SAT", "SUN" };
static rtc_time_t now;
static char line1[17];
static char line2[17];

static char *put_bcd(char *p, unsigned char bcd)
{
    *p++ = '0' + (bcd >> 4);
    *p++ = '0' + (bcd & 0x0F);
    return p;
}

static void format(void)
{
    char *p = line1;
    unsigned char i;
    const char code *w;

    *p++ = '2'; *p++ = '0';
    p = put_bcd(p, now.year);  *p++ = '-';
    p = put_bcd(p, now.month); *p++ = '-';
    p = put_bcd(p, now.date);
    *p = '\0';

    p = line2;
    p = put_bcd(p, now.hour & 0x3F); *p++ = ':';
    p = put_bcd(p, now.min);         *p++ = ':';
    p = put_bcd(p, now.sec & 0x7F);
    *p++ = ' ';
    *p++ = ' ';
    w = week_names[(now.day - 1) % 7];
    for (i = 0; i < 3; i++)
        *p++ = w[i];
    *p = '\0';
}

static void delay_ms(unsigned int ms)
{
    unsigned char i;

    while (ms--)
        for (i = 0; i < 120; i++)
            ;
}

void main(void)
{
    lcd_init();
    ds1302_init();
    while (1) {
        ds1302_read_time(&now);
        format();
        lcd_line(0, line1);
        lcd_line(1, line2);
        delay_ms(200);
    }
}
