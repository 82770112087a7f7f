#ifndef _NMEA_H_
#define _NMEA_H_

typedef struct {
    unsigned char hour, min, sec;
    unsigned char day, month, year;
    float lat, lon;             /* 度, 南纬西经为负 */
    float speed_kmh;
    float course;
    unsigned char valid;
    unsigned char sats;
    float altitude;
} GPS_INFO;

extern GPS_INFO gps;
bit NMEA_Checksum(char *s);
void NMEA_Parse(char *s);
#endif
