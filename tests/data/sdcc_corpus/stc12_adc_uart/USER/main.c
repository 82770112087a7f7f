/* Voltage logger: samples P1.0 with the ADC every half second and sends
   the reading in millivolts over the UART (VCC = 5 V). */
#include <STC12C5A60S2.H>
#include <stdio.h>
#include "..\hardware\adc\ADC.H"
#include "..\hardware\uart\UART.H"

static char xdata line[32];

static void delay_ms(unsigned int ms)
{
    unsigned int i;

    while (ms--)
        for (i = 0; i < 600; i++)
            ;
}

void main(void)
{
    unsigned long mv;

    uart_init();
    adc_init(0);
    EA = 1;
    uart_send_string("ADC logger\r\n");
    while (1) {
        adc_start();
        while (!adc_done)
            ;
        mv = (unsigned long)adc_value * 5000 / 1024;
        sprintf(line, "CH0=%4u mV\r\n", (unsigned int)mv);
        uart_send_string(line);
        delay_ms(500);
    }
}
