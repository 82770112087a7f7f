/* AT89C51RC.H: the AT89C51RC class of 8052-compatible flash parts: the 8052
   with timer 2's mode register, the auxiliary registers, the watchdog reset,
   the serial port's automatic address recognition and the high bits of the
   interrupt priority. The addresses are the AT89C51RC data sheet's "SFR Map
   and Reset Values" table. */

#ifndef C51_AT89C51RC_H
#define C51_AT89C51RC_H

#include "AT89X52.H" /* REG52.H, AUXR, AUXR1, WDTRST, T2MOD and the port pins */

sfr DP0L  = 0x82;   /* data pointer, the data sheet's names for DPL/DPH */
sfr DP0H  = 0x83;
sfr SADDR = 0xA9;   /* serial slave address */
sfr IPH   = 0xB7;   /* interrupt priority, high bits: PT2H PSH PT1H PX1H PT0H PX0H */
sfr SADEN = 0xB9;   /* serial slave address mask */

#endif
