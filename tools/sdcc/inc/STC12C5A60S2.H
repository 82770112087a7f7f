/* STC12C5A60S2.H: the STC12C5A60S2 series (1-clock 8051s with a second
   UART, ADC, PCA and SPI): the 8051 core (REG51.H) plus the series' own
   registers and bits. The addresses are the STC12C5A60S2 series data sheet's
   special function register table ("Special Function Registers"). */

#ifndef C51_STC12C5A60S2_H
#define C51_STC12C5A60S2_H

#include "REG51.H"

sfr AUXR      = 0x8E;  /* T0x12 T1x12 UART_M0x6 BRTR S2SMOD BRTx12 EXTRAM S1BRS */
sfr WAKE_CLKO = 0x8F;  /* wake-up sources and clock outputs */
sfr P1M1      = 0x91;  /* port modes: PxM1/PxM0 = 00 quasi-bidirectional, */
sfr P1M0      = 0x92;  /* 01 push-pull, 10 input only, 11 open drain */
sfr P0M1      = 0x93;
sfr P0M0      = 0x94;
sfr P2M1      = 0x95;
sfr P2M0      = 0x96;
sfr CLK_DIV   = 0x97;  /* system clock divider */
sfr S2CON     = 0x9A;  /* second UART: control */
sfr S2BUF     = 0x9B;  /* second UART: buffer */
sfr BRT       = 0x9C;  /* dedicated baud rate timer reload */
sfr P1ASF     = 0x9D;  /* P1 pins used as ADC inputs */
sfr BUS_SPEED = 0xA1;  /* external bus timing */
sfr AUXR1     = 0xA2;  /* PCA_P4 SPI_P4 S2_P4 GF2 ADRJ - DPS */
sfr SADDR     = 0xA9;  /* serial slave address */
sfr IE2       = 0xAF;  /* interrupt enable 2: ESPI ES2 */
sfr P3M1      = 0xB1;
sfr P3M0      = 0xB2;
sfr P4M1      = 0xB3;
sfr P4M0      = 0xB4;
sfr IP2       = 0xB5;  /* interrupt priority 2: PSPI PS2 */
sfr IP2H      = 0xB6;  /* interrupt priority 2, high bits */
sfr IPH       = 0xB7;  /* interrupt priority, high bits */
sfr SADEN     = 0xB9;  /* serial slave address mask */
sfr P4SW      = 0xBB;  /* P4.4 to P4.6 as port pins */
sfr ADC_CONTR = 0xBC;  /* ADC_POWER SPEED1 SPEED0 ADC_FLAG ADC_START CHS2..CHS0 */
sfr ADC_RES   = 0xBD;  /* ADC result, high bits */
sfr ADC_RESL  = 0xBE;  /* ADC result, low bits */
sfr P4        = 0xC0;  /* port 4 */
sfr WDT_CONTR = 0xC1;  /* watchdog */
sfr IAP_DATA  = 0xC2;  /* flash/EEPROM programming */
sfr IAP_ADDRH = 0xC3;
sfr IAP_ADDRL = 0xC4;
sfr IAP_CMD   = 0xC5;
sfr IAP_TRIG  = 0xC6;
sfr IAP_CONTR = 0xC7;
sfr P5        = 0xC8;  /* port 5 (bits 0 to 3) */
sfr P5M1      = 0xC9;
sfr P5M0      = 0xCA;
sfr SPSTAT    = 0xCD;  /* SPI status */
sfr SPCTL     = 0xCE;  /* SPI control */
sfr SPDAT     = 0xCF;  /* SPI data */
sfr CCON      = 0xD8;  /* PCA control */
sfr CMOD      = 0xD9;  /* PCA mode */
sfr CCAPM0    = 0xDA;  /* PCA module 0 mode */
sfr CCAPM1    = 0xDB;  /* PCA module 1 mode */
sfr CL        = 0xE9;  /* PCA counter */
sfr CCAP0L    = 0xEA;  /* PCA module 0 capture/compare */
sfr CCAP1L    = 0xEB;  /* PCA module 1 capture/compare */
sfr PCA_PWM0  = 0xF2;  /* PCA module 0 PWM: EPC0H EPC0L */
sfr PCA_PWM1  = 0xF3;  /* PCA module 1 PWM: EPC1H EPC1L */
sfr CH        = 0xF9;
sfr CCAP0H    = 0xFA;
sfr CCAP1H    = 0xFB;

/* IE and IP: the bits the 8051 core leaves free */
sbit EADC = IE^5;
sbit ELVD = IE^6;
sbit PADC = IP^5;
sbit PLVD = IP^6;
sbit PPCA = IP^7;

/* CCON */
sbit CCF0 = CCON^0;
sbit CCF1 = CCON^1;
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
sbit P40 = P4^0; sbit P41 = P4^1; sbit P42 = P4^2; sbit P43 = P4^3;
sbit P44 = P4^4; sbit P45 = P4^5; sbit P46 = P4^6; sbit P47 = P4^7;
sbit P50 = P5^0; sbit P51 = P5^1; sbit P52 = P5^2; sbit P53 = P5^3;

#endif
