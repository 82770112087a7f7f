#ifndef __DS1302_H__
#define __DS1302_H__

/* 时间，全部是 BCD 码 */
typedef struct {
    unsigned char sec, min, hour, date, month, day, year;
} rtc_time_t;

void ds1302_init(void);
void ds1302_read_time(rtc_time_t *t);
void ds1302_write_time(const rtc_time_t *t);

#endif
