/* AT89X55.H: the AT89C55 class of 8052-compatible flash parts with 20 KB of
   program memory: the same registers as AT89X52.H (the 8052, timer 2's mode
   register, the auxiliary registers, the watchdog reset and the port pins). */

#ifndef C51_AT89X55_H
#define C51_AT89X55_H

#include "AT89X52.H"

#endif
