/* ADUC832.H: the ADuC832, the ADuC831 with a PLL that makes the core clock
   from a 32 kHz crystal: the registers of ADUC831.H, its configuration
   register by its own name, and the PLL's. Addresses from the ADuC832 data
   sheet's SFR map. */

#ifndef C51_ADUC832_H
#define C51_ADUC832_H

#include "ADUC831.H"

sfr CFG832 = 0xAF;  /* XRAM, extended stack, PWM and flash clock */
sfr PLLCON = 0xD7;  /* PLL: core clock divider, lock */

#endif
