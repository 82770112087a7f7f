/* REG52.H: the 8052: the 8051 core (REG51.H) plus timer 2. */

#ifndef C51_REG52_H
#define C51_REG52_H

#include "REG51.H"

sfr T2CON  = 0xC8;  /* timer 2 control */
sfr RCAP2L = 0xCA;  /* timer 2 capture/reload, low byte */
sfr RCAP2H = 0xCB;  /* timer 2 capture/reload, high byte */
sfr TL2    = 0xCC;  /* timer 2, low byte */
sfr TH2    = 0xCD;  /* timer 2, high byte */

/* T2CON */
sbit CP_RL2 = T2CON^0;
sbit C_T2   = T2CON^1;
sbit TR2    = T2CON^2;
sbit EXEN2  = T2CON^3;
sbit TCLK   = T2CON^4;
sbit RCLK   = T2CON^5;
sbit EXF2   = T2CON^6;
sbit TF2    = T2CON^7;

sbit ET2  = IE^5;   /* timer 2 interrupt enable */
sbit PT2  = IP^5;   /* timer 2 interrupt priority */

/* P1: timer 2 pins */
sbit T2   = P1^0;
sbit T2EX = P1^1;

#endif
