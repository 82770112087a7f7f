/*
 * GPS 定位信息显示 (串口转发调试信息)
 * 北京时间 = UTC + 8
 */
#include <reg52.h>
#include <stdio.h>
#include <string.h>
#include "uart.h"
#include "nmea.h"
#include "delay.h"

char xdata msg[64];

void main(void)
{
    unsigned char bj_hour;
    unsigned int good = 0, bad = 0;

    Uart_Init();
    EA = 1;
    delay(100);
    printf("GPS monitor\n");

    while (1) {
        if (!nmea_ready) continue;
        if (!NMEA_Checksum(nmea_line)) {
            bad++;
            printf("bad checksum (%u)\n", bad);
        } else {
            good++;
            NMEA_Parse(nmea_line);
            if (strncmp(nmea_line + 3, "RMC", 3) == 0) {
                bj_hour = (gps.hour + 8) % 24;
                sprintf(msg, "%02bu:%02bu:%02bu %c", bj_hour, gps.min, gps.sec, gps.valid ? 'A' : 'V');
                strcat(msg, gps.valid ? " fix" : " nofix");
                printf("%s 20%02bu-%02bu-%02bu\n", msg, gps.year, gps.month, gps.day);
                printf("lat=%.5f lon=%.5f v=%.1fkm/h c=%.1f\n", gps.lat, gps.lon, gps.speed_kmh, gps.course);
            } else {
                printf("sats=%bu alt=%.1fm\n", gps.sats, gps.altitude);
            }
        }
        nmea_ready = 0;
    }
}
