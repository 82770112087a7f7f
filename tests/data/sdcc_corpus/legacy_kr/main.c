/*
 * main.c -- legacy controller: packs a reading into a frame in external
 * RAM, appends its CRC and puts it on port 1, one byte per strobe on P3.5.
 */
#include <reg51.h>
#include "UTIL.H"

sbit STROBE = P3^5;

unsigned char xdata frame[6];

void send_frame(n)
unsigned char n;
{
    unsigned char i;

    for (i = 0; i < n; i++) {
        P1 = frame[i];
        STROBE = 0;
        STROBE = 1;
    }
}

void main()
{
    int reading = 1234;

    frame[0] = 0xA5;
    frame[1] = bin2bcd(reading / 100);
    frame[2] = bin2bcd(reading % 100);
    frame[3] = (unsigned char)clamp(reading / 10, 0, 100);
    frame[4] = crc8(frame, 4);
    for (;;)
        send_frame(5);
}
