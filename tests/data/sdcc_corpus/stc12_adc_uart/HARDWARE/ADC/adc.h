#ifndef __ADC_H
#define __ADC_H

#define ADC_POWER   0x80
#define ADC_FLAG    0x10
#define ADC_START   0x08
#define ADC_SPEEDLL 0x00    /* 540 clocks per conversion */

extern volatile unsigned int adc_value;
extern volatile bit adc_done;

void adc_init(unsigned char channel);
void adc_start(void);

#endif
