#ifndef _DS18B20_H_
#define _DS18B20_H_

/* 温度，单位 0.1 度；读失败返回 DS_ERROR */
#define DS_ERROR (-9999)

bit ds_reset(void);
int ds_read_temp(void);

#endif
