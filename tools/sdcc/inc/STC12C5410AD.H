/* STC12C5410AD.H: the STC12C5410AD series (1-clock 8051s with an ADC, a
   PCA of four modules and SPI) and the smaller STC12C2052AD series, which
   has the same map: the 8051 core (REG51.H) plus the series' own registers
   and bits. The addresses are the series data sheet's special function
   register table; these parts keep the ADC, the clock divider, the
   watchdog and the ISP registers where the later STC12 series have others,
   and name the port mode registers M0 first. */

#ifndef C51_STC12C5410AD_H
#define C51_STC12C5410AD_H

#include "REG51.H"

sfr SPSTAT    = 0x84;  /* SPI status: SPIF WCOL */
sfr SPCTL     = 0x85;  /* SPI control: SSIG SPEN DORD MSTR CPOL CPHA SPR1 SPR0 */
sfr SPDAT     = 0x86;  /* SPI data */
sfr AUXR      = 0x8E;  /* timers at 1 clock, and which source shares an interrupt */
sfr P1M0      = 0x91;  /* port modes: PxM0/PxM1 = 00 quasi-bidirectional, */
sfr P1M1      = 0x92;  /* 01 push-pull, 10 input only, 11 open drain */
sfr P0M0      = 0x93;
sfr P0M1      = 0x94;
sfr P2M0      = 0x95;
sfr P2M1      = 0x96;
sfr P3M0      = 0xB1;
sfr P3M1      = 0xB2;
sfr IPH       = 0xB7;  /* interrupt priority, high bits */
sfr ADC_LOW2  = 0xBE;  /* ADC result, the two low bits */
sfr ADC_CONTR = 0xC5;  /* ADC_POWER SPEED1 SPEED0 ADC_FLAG ADC_START CHS2..CHS0 */
sfr ADC_DATA  = 0xC6;  /* ADC result, high bits */
sfr CLK_DIV   = 0xC7;  /* system clock divider */
sfr CCON      = 0xD8;  /* PCA control */
sfr CMOD      = 0xD9;  /* PCA mode */
sfr CCAPM0    = 0xDA;  /* PCA module modes */
sfr CCAPM1    = 0xDB;
sfr CCAPM2    = 0xDC;
sfr CCAPM3    = 0xDD;
sfr WDT_CONTR = 0xE1;  /* watchdog */
sfr ISP_DATA  = 0xE2;  /* flash/EEPROM programming */
sfr ISP_ADDRH = 0xE3;
sfr ISP_ADDRL = 0xE4;
sfr ISP_CMD   = 0xE5;
sfr ISP_TRIG  = 0xE6;
sfr ISP_CONTR = 0xE7;
sfr CL        = 0xE9;  /* PCA counter, low byte */
sfr CCAP0L    = 0xEA;  /* PCA module capture/compare, low bytes */
sfr CCAP1L    = 0xEB;
sfr CCAP2L    = 0xEC;
sfr CCAP3L    = 0xED;
sfr PCA_PWM0  = 0xF2;  /* PCA module PWM: EPCnH EPCnL */
sfr PCA_PWM1  = 0xF3;
sfr PCA_PWM2  = 0xF4;
sfr PCA_PWM3  = 0xF5;
sfr CH        = 0xF9;  /* PCA counter, high byte */
sfr CCAP0H    = 0xFA;  /* PCA module capture/compare, high bytes */
sfr CCAP1H    = 0xFB;
sfr CCAP2H    = 0xFC;
sfr CCAP3H    = 0xFD;

/* IE and IP: two interrupts share each of the bits the core leaves free */
sbit EADC_SPI = IE^5;
sbit EPCA_LVD = IE^6;
sbit PADC_SPI = IP^5;
sbit PPCA_LVD = IP^6;

/* CCON */
sbit CCF0 = CCON^0;
sbit CCF1 = CCON^1;
sbit CCF2 = CCON^2;
sbit CCF3 = CCON^3;
sbit CR   = CCON^6;
sbit CF   = CCON^7;

/* Port pins: P10 is port 1, bit 0 */
sbit P00 = P0^0; sbit P01 = P0^1; sbit P02 = P0^2; sbit P03 = P0^3;
sbit P04 = P0^4; sbit P05 = P0^5; sbit P06 = P0^6; sbit P07 = P0^7;
sbit P10 = P1^0; sbit P11 = P1^1; sbit P12 = P1^2; sbit P13 = P1^3;
sbit P14 = P1^4; sbit P15 = P1^5; sbit P16 = P1^6; sbit P17 = P1^7;
sbit P20 = P2^0; sbit P21 = P2^1; sbit P22 = P2^2; sbit P23 = P2^3;
sbit P24 = P2^4; sbit P25 = P2^5; sbit P26 = P2^6; sbit P27 = P2^7;
sbit P30 = P3^0; sbit P31 = P3^1; sbit P32 = P3^2; sbit P33 = P3^3;
sbit P34 = P3^4; sbit P35 = P3^5; sbit P36 = P3^6; sbit P37 = P3^7;

#endif
