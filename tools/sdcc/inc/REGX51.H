/* REGX51.H: the generic 8051 with a name for every bit: the core's SFRs and
   bits (REG51.H) and every port pin (P1_0 is port 1, bit 0). The addresses
   are the 8051 core's SFR map as every 8051 data sheet gives it ("Special
   Function Registers"). The names are those of AT89X51.H, so code written
   for one compiles with the other. */

#ifndef C51_REGX51_H
#define C51_REGX51_H

#include "AT89X51.H"

#endif
