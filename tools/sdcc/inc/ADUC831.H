/* ADUC831.H: the ADuC831, an 8052 with a 12-bit ADC and DACs, PWM, a
   time interval counter, I2C and SPI, and flash data memory: the 8052
   (REG52.H) plus the part's own registers and bits. The ADuC832, ADuC841
   and ADuC842 keep this map and add to it (ADUC832.H, ADUC841.H,
   ADUC842.H); the sigma-delta ADuC834/836/845/847/848 have another. The
   addresses are the ADuC831 data sheet's SFR map. */

#ifndef C51_ADUC831_H
#define C51_ADUC831_H

#include "REG52.H"

/* Data pointer and stack */
sfr DPP    = 0x84;  /* data pointer page: the third byte of DPTR */
sfr DPCON  = 0xA7;  /* dual data pointer control */
sfr SPH    = 0xB7;  /* stack pointer, high bits (11-bit stack) */

/* Configuration and power */
sfr CFG831 = 0xAF;  /* XRAM, extended stack, PWM and flash clock */
sfr PSMCON = 0xDF;  /* power supply monitor */
sfr CHIPID = 0xC2;
sfr IEIP2  = 0xA9;  /* second interrupt enable and priority */

/* I2C */
sfr I2CDAT = 0x9A;
sfr I2CADD = 0x9B;
sfr I2CCON = 0xE8;

/* Timer 3: the UART's fractional baud rate generator */
sfr T3FD   = 0x9D;
sfr T3CON  = 0x9E;

/* Time interval counter */
sfr TIMECON = 0xA1;
sfr HTHSEC  = 0xA2;  /* hundredths of a second */
sfr SEC     = 0xA3;
sfr MIN     = 0xA4;
sfr HOUR    = 0xA5;
sfr INTVAL  = 0xA6;

/* PWM */
sfr PWMCON = 0xAE;
sfr PWM0L  = 0xB1;
sfr PWM0H  = 0xB2;
sfr PWM1L  = 0xB3;
sfr PWM1H  = 0xB4;

/* Flash data memory */
sfr ECON   = 0xB9;  /* command */
sfr EDATA1 = 0xBC;  /* the page's four bytes */
sfr EDATA2 = 0xBD;
sfr EDATA3 = 0xBE;
sfr EDATA4 = 0xBF;
sfr EADRL  = 0xC6;  /* page address */
sfr EADRH  = 0xC7;

sfr WDCON  = 0xC0;  /* watchdog */

/* ADC, with its DMA mode */
sfr DMAL     = 0xD2;
sfr DMAH     = 0xD3;
sfr DMAP     = 0xD4;
sfr ADCCON2  = 0xD8;
sfr ADCDATAL = 0xD9;
sfr ADCDATAH = 0xDA;  /* high bits, and the channel in the top four */
sfr ADCCON1  = 0xEF;
sfr ADCOFSL  = 0xF1;  /* offset and gain calibration */
sfr ADCOFSH  = 0xF2;
sfr ADCGAINL = 0xF3;
sfr ADCGAINH = 0xF4;
sfr ADCCON3  = 0xF5;

/* SPI */
sfr SPIDAT = 0xF7;
sfr SPICON = 0xF8;

/* DACs */
sfr DAC0L  = 0xF9;
sfr DAC0H  = 0xFA;
sfr DAC1L  = 0xFB;
sfr DAC1H  = 0xFC;
sfr DACCON = 0xFD;

/* IE and IP: the ADC's and the serial interfaces' bits */
sbit EADC = IE^6;
sbit PADC = IP^6;
sbit PSI  = IP^7;

/* T2CON: bits 1 and 0 by the data sheet's names */
sbit CAP2 = T2CON^0;
sbit CNT2 = T2CON^1;

/* WDCON */
sbit WDWR = WDCON^0;
sbit WDE  = WDCON^1;
sbit WDS  = WDCON^2;
sbit WDIR = WDCON^3;
sbit PRE0 = WDCON^4;
sbit PRE1 = WDCON^5;
sbit PRE2 = WDCON^6;
sbit PRE3 = WDCON^7;

/* ADCCON2 */
sbit CS0   = ADCCON2^0;
sbit CS1   = ADCCON2^1;
sbit CS2   = ADCCON2^2;
sbit CS3   = ADCCON2^3;
sbit SCONV = ADCCON2^4;
sbit CCONV = ADCCON2^5;
sbit DMA   = ADCCON2^6;
sbit ADCI  = ADCCON2^7;

/* I2CCON: slave mode names, and the software master's in the top four */
sbit I2CI   = I2CCON^0;
sbit I2CTX  = I2CCON^1;
sbit I2CRS  = I2CCON^2;
sbit I2CM   = I2CCON^3;
sbit MDI    = I2CCON^4;
sbit MCO    = I2CCON^5;
sbit MDE    = I2CCON^6;
sbit MDO    = I2CCON^7;

/* SPICON */
sbit SPR0 = SPICON^0;
sbit SPR1 = SPICON^1;
sbit CPHA = SPICON^2;
sbit CPOL = SPICON^3;
sbit SPIM = SPICON^4;
sbit SPE  = SPICON^5;
sbit WCOL = SPICON^6;
sbit ISPI = SPICON^7;

#endif
