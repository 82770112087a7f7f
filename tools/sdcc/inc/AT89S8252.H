/* AT89S8252.H: the AT89S8252, an 8052 with a data EEPROM, a watchdog, an SPI
   port and two data pointers: the 8052 with timer 2's mode register, the
   watchdog and memory control register, the SPI registers and the data
   pointers by the data sheet's names, and the port pins (P1_0 is port 1,
   bit 0). The addresses are the AT89S8252 data sheet's SFR map. It has no
   AUXR, AUXR1 or WDTRST, so it does not take AT89X52.H. */

#ifndef C51_AT89S8252_H
#define C51_AT89S8252_H

#include "REG52.H"
#include "AT89X51.H" /* the port pins */

sfr DP0L  = 0x82;   /* data pointer 0 (DPL/DPH) */
sfr DP0H  = 0x83;
sfr DP1L  = 0x84;   /* data pointer 1, chosen by WMCON.DPS */
sfr DP1H  = 0x85;
sfr SPDR  = 0x86;   /* SPI data */
sfr WMCON = 0x96;   /* watchdog and memory control: PS2..0 EEMWE EEMEN DPS WDTRST WDTEN */
sfr SPSR  = 0xAA;   /* SPI status: SPIF WCOL */
sfr T2MOD = 0xC9;   /* timer 2 mode */
sfr SPCR  = 0xD5;   /* SPI control: SPIE SPE DORD MSTR CPOL CPHA SPR1 SPR0 */

#endif
