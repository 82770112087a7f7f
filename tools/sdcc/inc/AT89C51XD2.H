/* AT89C51XD2.H: the AT89C51RD2 and AT89C51ED2, 8052-compatible flash parts
   with X2 mode, a PCA, an SPI port, a keyboard interface, an internal baud
   rate generator and a programmable watchdog: AT89X52.H plus the clock, flash,
   interrupt, serial, keyboard, watchdog, SPI and PCA registers, and the PCA's
   bits. The addresses are the AT89C51RD2/ED2 data sheet's SFR tables. */

#ifndef C51_AT89C51XD2_H
#define C51_AT89C51XD2_H

#include "AT89X52.H" /* REG52.H, AUXR, AUXR1, WDTRST, T2MOD and the port pins */

/* System management */
sfr CKCON0 = 0x8F;  /* clock control 0: X2 and the peripherals' X2 bits */
sfr CKCON  = 0x8F;  /* CKCON0 by the older parts' name */
sfr CKCON1 = 0xAF;  /* clock control 1: SPIX2 */
sfr FCON   = 0xD1;  /* flash control */
sfr EECON  = 0xD2;  /* data EEPROM control (the AT89C51ED2's EEPROM) */

/* Interrupts: IE and IP by the data sheet's names, and the second bank */
sfr IEN0   = 0xA8;
sfr IEN1   = 0xB1;  /* keyboard and SPI interrupt enables */
sfr IPL1   = 0xB2;
sfr IPH1   = 0xB3;
sfr IPH0   = 0xB7;  /* interrupt priority, high bits */
sfr IPL0   = 0xB8;

/* Serial port: baud rate generator and automatic address recognition */
sfr BRL    = 0x9A;  /* baud rate reload */
sfr BDRCON = 0x9B;  /* baud rate control */
sfr SADDR  = 0xA9;  /* slave address */
sfr SADEN  = 0xB9;  /* slave address mask */

/* Keyboard interface */
sfr KBLS   = 0x9C;  /* level selector */
sfr KBE    = 0x9D;  /* input enable */
sfr KBF    = 0x9E;  /* flags */

sfr WDTPRG = 0xA7;  /* watchdog period */

/* SPI */
sfr SPCON  = 0xC3;  /* control */
sfr SPSTA  = 0xC4;  /* status */
sfr SPDAT  = 0xC5;  /* data */

/* PCA: counter, modules 0 to 4 */
sfr CCON   = 0xD8;  /* control */
sfr CMOD   = 0xD9;  /* mode */
sfr CCAPM0 = 0xDA;  /* module modes */
sfr CCAPM1 = 0xDB;
sfr CCAPM2 = 0xDC;
sfr CCAPM3 = 0xDD;
sfr CCAPM4 = 0xDE;
sfr CL     = 0xE9;  /* counter, low byte */
sfr CCAP0L = 0xEA;  /* module compare/capture, low bytes */
sfr CCAP1L = 0xEB;
sfr CCAP2L = 0xEC;
sfr CCAP3L = 0xED;
sfr CCAP4L = 0xEE;
sfr CH     = 0xF9;  /* counter, high byte */
sfr CCAP0H = 0xFA;  /* module compare/capture, high bytes */
sfr CCAP1H = 0xFB;
sfr CCAP2H = 0xFC;
sfr CCAP3H = 0xFD;
sfr CCAP4H = 0xFE;

/* CCON */
sbit CCF0 = CCON^0;
sbit CCF1 = CCON^1;
sbit CCF2 = CCON^2;
sbit CCF3 = CCON^3;
sbit CCF4 = CCON^4;
sbit CR   = CCON^6;
sbit CF   = CCON^7;

sbit EC   = IE^6;   /* PCA interrupt enable */

#endif
