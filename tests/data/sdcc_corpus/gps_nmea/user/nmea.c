/* NMEA-0183 解析: 只处理 RMC 和 GGA */
#include <string.h>
#include <stdlib.h>
#include "nmea.h"

GPS_INFO gps;

static unsigned char hex2(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return 0;
}

bit NMEA_Checksum(char *s)
{
    unsigned char sum = 0;
    char *p;
    if (*s != '$') return 0;
    for (p = s + 1; *p && *p != '*'; p++) sum ^= *p;
    if (*p != '*') return 0;
    return sum == (hex2(p[1]) << 4 | hex2(p[2]));
}

/* ddmm.mmmm -> 度 */
static float to_degree(char *f)
{
    float v = atof(f);
    int deg = (int)(v / 100);
    return deg + (v - deg * 100) / 60.0;
}

/* 取第 n 个字段 (逗号分隔, 空字段也算) */
static char *field(char *s, unsigned char n, char *out, unsigned char size)
{
    unsigned char i = 0;
    while (n && *s) {
        if (*s++ == ',') n--;
    }
    while (*s && *s != ',' && *s != '*' && i < size - 1) out[i++] = *s++;
    out[i] = '\0';
    return out;
}

void NMEA_Parse(char *s)
{
    char f[16];

    if (strncmp(s + 3, "RMC", 3) == 0) {
        field(s, 1, f, sizeof(f));
        if (strlen(f) >= 6) {
            gps.hour = (f[0] - '0') * 10 + (f[1] - '0');
            gps.min  = (f[2] - '0') * 10 + (f[3] - '0');
            gps.sec  = (f[4] - '0') * 10 + (f[5] - '0');
        }
        field(s, 2, f, sizeof(f));
        gps.valid = (f[0] == 'A');
        gps.lat = to_degree(field(s, 3, f, sizeof(f)));
        if (field(s, 4, f, sizeof(f))[0] == 'S') gps.lat = -gps.lat;
        gps.lon = to_degree(field(s, 5, f, sizeof(f)));
        if (field(s, 6, f, sizeof(f))[0] == 'W') gps.lon = -gps.lon;
        gps.speed_kmh = atof(field(s, 7, f, sizeof(f))) * 1.852;
        gps.course = atof(field(s, 8, f, sizeof(f)));
        field(s, 9, f, sizeof(f));
        if (strlen(f) == 6) {
            gps.day   = atoi(f) / 10000;
            gps.month = atoi(f) / 100 % 100;
            gps.year  = atoi(f) % 100;
        }
    } else if (strncmp(s + 3, "GGA", 3) == 0) {
        gps.sats = atoi(field(s, 7, f, sizeof(f)));
        gps.altitude = atof(field(s, 9, f, sizeof(f)));
    }
}
