/* ADUC842.H: the ADuC842 (and the ADuC843, without the ADC), the
   single-cycle successor of the ADuC832, clocked by a PLL from a 32 kHz
   crystal: the registers of ADUC841.H, its configuration register by its
   own name, and the PLL's. Addresses from the ADuC841/ADuC842/ADuC843 data
   sheet's SFR map. */

#ifndef C51_ADUC842_H
#define C51_ADUC842_H

#include "ADUC841.H"

sfr CFG842 = 0xAF;  /* XRAM, extended stack, PWM and flash clock */
sfr PLLCON = 0xD7;  /* PLL: core clock divider, lock */

#endif
