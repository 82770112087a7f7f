/* REG52.H: the 8052 adds timer 2 and 128 more bytes of internal RAM to
   the 8051. Part of the simulated toolchain; minimal on purpose. */

#ifndef REG52_H_INCLUDED
#define REG52_H_INCLUDED

#include "REG51.H"

/* Timer 2 */
sfr T2CON  = 0xC8;  /* timer 2 control */
sfr RCAP2L = 0xCA;  /* capture/reload, low byte */
sfr RCAP2H = 0xCB;  /* capture/reload, high byte */
sfr TL2    = 0xCC;
sfr TH2    = 0xCD;

/* T2CON bits */
sbit CP_RL2 = 0xC8;
sbit C_T2   = 0xC9;
sbit TR2    = 0xCA;
sbit EXEN2  = 0xCB;
sbit TCLK   = 0xCC;
sbit RCLK   = 0xCD;
sbit EXF2   = 0xCE;
sbit TF2    = 0xCF;

/* Timer 2 interrupt */
sbit ET2   = 0xAD;   /* in IE */
sbit PT2   = 0xBD;   /* in IP */

#endif
