/* ADUC841.H: the ADuC841, the single-cycle successor of the ADuC831 (its
   crystal drives the core directly): the registers of ADUC831.H, its
   configuration register by its own name, and the I2C slave's three more
   addresses. Addresses from the ADuC841/ADuC842/ADuC843 data sheet's SFR
   map. */

#ifndef C51_ADUC841_H
#define C51_ADUC841_H

#include "ADUC831.H"

sfr CFG841  = 0xAF;  /* XRAM, extended stack, PWM and flash clock */
sfr I2CADD1 = 0x91;  /* I2C slave addresses 2 to 4 */
sfr I2CADD2 = 0x92;
sfr I2CADD3 = 0x93;

#endif
