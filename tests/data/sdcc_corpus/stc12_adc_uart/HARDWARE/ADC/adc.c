/* STC12C5A60S2 10-bit ADC on P1.0, result left in ADC_RES (high 8 bits)
   and ADC_RESL (low 2 bits). Conversions are started by the main loop and
   finished in the ADC interrupt (adc_isr.c). */
#include <STC12C5A60S2.H>
#include <intrins.h>
#include "adc.h"

volatile unsigned int adc_value;
volatile bit adc_done;

static unsigned char adc_channel;

void adc_init(unsigned char channel)
{
    adc_channel = channel & 0x07;
    P1ASF = 1 << adc_channel;      /* pin as analogue input */
    ADC_RES = 0;
    ADC_RESL = 0;
    ADC_CONTR = ADC_POWER | ADC_SPEEDLL | adc_channel;
    _nop_(); _nop_(); _nop_(); _nop_();    /* let ADC_CONTR settle */
    EADC = 1;
}

void adc_start(void)
{
    adc_done = 0;
    ADC_CONTR = ADC_POWER | ADC_SPEEDLL | ADC_START | adc_channel;
}
