#ifndef _WAVE_H
#define _WAVE_H

#define WAVE_LEN 128

typedef enum { WAVE_SINE, WAVE_TRI, WAVE_SAW, WAVE_SQUARE, WAVE_NOISE, WAVE_NUM } WAVE_TYPE;

extern unsigned char xdata wave_tab[WAVE_LEN];
extern char code *code wave_names[WAVE_NUM];

void Wave_Build(WAVE_TYPE type, float amp);
void Wave_Start(unsigned int sample_us);
#endif
