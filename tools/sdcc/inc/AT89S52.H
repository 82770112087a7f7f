/* AT89S52.H: the AT89S52, an 8052 with in-system programming: the 8052 with
   timer 2's mode register, the auxiliary registers, the watchdog reset and
   the second data pointer. The addresses are the AT89S52 data sheet's "SFR
   Map and Reset Values" table. */

#ifndef C51_AT89S52_H
#define C51_AT89S52_H

#include "AT89X52.H" /* REG52.H, AUXR, AUXR1, WDTRST, T2MOD and the port pins */

sfr DP0L = 0x82;    /* data pointer 0 (DPL/DPH) */
sfr DP0H = 0x83;
sfr DP1L = 0x84;    /* data pointer 1, chosen by AUXR1.DPS */
sfr DP1H = 0x85;

#endif
