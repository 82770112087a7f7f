/* STC89C5xRC.H: the STC89C5xRC/RD+ series (STC89C51RC, STC89C52RC, ...,
   12-clock 8052s with ISP): the 8052 (REG52.H) plus the auxiliary
   registers, the watchdog, the flash/EEPROM programming registers (under the
   data sheet's ISP_ names and the later IAP_ ones), port 4 and the two extra
   external interrupts. The addresses are the STC89C51RC/RD+ series data
   sheet's special function register table ("Special Function Registers"). */

#ifndef C51_STC89C5XRC_H
#define C51_STC89C5XRC_H

#include "REG52.H"

sfr AUXR      = 0x8E;  /* auxiliary: EXTRAM, ALEOFF */
sfr AUXR1     = 0xA2;  /* auxiliary 1: GF2, DPS */
sfr SADDR     = 0xA9;  /* serial slave address */
sfr IPH       = 0xB7;  /* interrupt priority, high bits */
sfr SADEN     = 0xB9;  /* serial slave address mask */
sfr XICON     = 0xC0;  /* external interrupts 2 and 3 */
sfr T2MOD     = 0xC9;  /* timer 2 mode: T2OE, DCEN */
sfr WDT_CONTR = 0xE1;  /* watchdog: EN_WDT CLR_WDT IDLE_WDT PS2..PS0 */
sfr ISP_DATA  = 0xE2;  /* flash/EEPROM programming */
sfr ISP_ADDRH = 0xE3;
sfr ISP_ADDRL = 0xE4;
sfr ISP_CMD   = 0xE5;
sfr ISP_TRIG  = 0xE6;
sfr ISP_CONTR = 0xE7;
sfr IAP_DATA  = 0xE2;  /* the same registers under the later names */
sfr IAP_ADDRH = 0xE3;
sfr IAP_ADDRL = 0xE4;
sfr IAP_CMD   = 0xE5;
sfr IAP_TRIG  = 0xE6;
sfr IAP_CONTR = 0xE7;
sfr P4        = 0xE8;  /* port 4; how many pins it has depends on the package */

/* XICON */
sbit IT2 = XICON^0;
sbit IE2 = XICON^1;
sbit EX2 = XICON^2;
sbit PX2 = XICON^3;
sbit IT3 = XICON^4;
sbit IE3 = XICON^5;
sbit EX3 = XICON^6;
sbit PX3 = XICON^7;

/* P4: the extra interrupt pins */
sbit INT3 = P4^2;
sbit INT2 = P4^3;

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
sbit P44 = P4^4; sbit P45 = P4^5; sbit P46 = P4^6;

#endif
