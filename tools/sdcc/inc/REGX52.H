/* REGX52.H: the generic 8052 with a name for every bit: the 8052 (REG52.H),
   timer 2's mode register and every port pin (P1_0 is port 1, bit 0). The
   addresses are the 8052's SFR map as every 8052 data sheet gives it
   ("Special Function Registers"). */

#ifndef C51_REGX52_H
#define C51_REGX52_H

#include "REG52.H"
#include "AT89X51.H" /* the port pins; the core it includes is REG52's */

sfr T2MOD = 0xC9;   /* timer 2 mode: T2OE, DCEN */

#endif
