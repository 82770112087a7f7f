/* AT89C51ED2.H: the AT89C51ED2, the AT89C51RD2 with a data EEPROM: the
   registers of AT89C51XD2.H, which has the EEPROM's control register. */

#ifndef C51_AT89C51ED2_H
#define C51_AT89C51ED2_H

#include "AT89C51XD2.H"

#endif
