/* ADC conversion complete: interrupt 5 (vector 0x2B). */
#include <STC12C5A60S2.H>
#include "adc.h"

void adc_isr(void) interrupt 5 using 1
{
    ADC_CONTR &= ~ADC_FLAG;
    adc_value = ((unsigned int)ADC_RES << 2) | (ADC_RESL & 0x03);
    adc_done = 1;
}
