/* P89V51RD2.H: the P89V51RB2/RC2/RD2, 8052-compatible flash parts with a PCA,
   an SPI port and two data pointers: the 8052 with timer 2's mode register,
   the auxiliary registers, the flash configuration, the serial port's
   automatic address recognition, the high bits of the interrupt priority, the
   SPI and PCA registers, the PCA's bits and the port pins (P1_0 is port 1,
   bit 0). The addresses are the P89V51RB2/RC2/RD2 data sheet's SFR table. Its
   watchdog is not at WDTRST's address, so it does not take AT89X52.H. */

#ifndef C51_P89V51RD2_H
#define C51_P89V51RD2_H

#include "REG52.H"
#include "AT89X51.H" /* the port pins */

sfr SPDAT  = 0x86;  /* SPI data */
sfr AUXR   = 0x8E;  /* auxiliary register: EXTRAM AO */
sfr AUXR1  = 0xA2;  /* auxiliary register 1: DPS chooses the data pointer */
sfr IEN0   = 0xA8;  /* IE by the data sheet's name */
sfr SADDR  = 0xA9;  /* serial slave address */
sfr SPSR   = 0xAA;  /* SPI status: SPIF WCOL */
sfr FCF    = 0xB1;  /* flash configuration: SWR BSEL */
sfr IP0H   = 0xB7;  /* interrupt priority, high bits */
sfr IP0    = 0xB8;  /* IP by the data sheet's name */
sfr SADEN  = 0xB9;  /* serial slave address mask */
sfr T2MOD  = 0xC9;  /* timer 2 mode */
sfr SPCR   = 0xD5;  /* SPI control: SPIE SPEN DORD MSTR CPOL CPHA SPR1 SPR0 */

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
