/* AT89X51.H: 8051-compatible flash parts with 4 KB of program memory: the
   8051 core (REG51.H) plus a name for every port pin (P1_0 is port 1, bit 0)
   and masks of PCON's and TMOD's bits. */

#ifndef C51_AT89X51_H
#define C51_AT89X51_H

#include "REG51.H"

sbit P0_0 = P0^0;
sbit P0_1 = P0^1;
sbit P0_2 = P0^2;
sbit P0_3 = P0^3;
sbit P0_4 = P0^4;
sbit P0_5 = P0^5;
sbit P0_6 = P0^6;
sbit P0_7 = P0^7;
sbit P1_0 = P1^0;
sbit P1_1 = P1^1;
sbit P1_2 = P1^2;
sbit P1_3 = P1^3;
sbit P1_4 = P1^4;
sbit P1_5 = P1^5;
sbit P1_6 = P1^6;
sbit P1_7 = P1^7;
sbit P2_0 = P2^0;
sbit P2_1 = P2^1;
sbit P2_2 = P2^2;
sbit P2_3 = P2^3;
sbit P2_4 = P2^4;
sbit P2_5 = P2^5;
sbit P2_6 = P2^6;
sbit P2_7 = P2^7;
sbit P3_0 = P3^0;
sbit P3_1 = P3^1;
sbit P3_2 = P3^2;
sbit P3_3 = P3^3;
sbit P3_4 = P3^4;
sbit P3_5 = P3^5;
sbit P3_6 = P3^6;
sbit P3_7 = P3^7;

/* Masks of the registers that cannot be addressed by bit: PCON's power and
   baud rate bits, TMOD's two timers' fields (T1_M1_ is timer 1, mode bit 1). */
#define IDL_     0x01  /* PCON: idle */
#define PD_      0x02  /* PCON: power down */
#define GF0_     0x04  /* PCON: general purpose flags */
#define GF1_     0x08
#define SMOD_    0x80  /* PCON: double baud rate */
#define T0_M0_   0x01  /* TMOD: timer 0 mode */
#define T0_M1_   0x02
#define T0_CT_   0x04  /* TMOD: timer 0 counts pin T0 */
#define T0_GATE_ 0x08  /* TMOD: timer 0 runs while INT0 is high */
#define T1_M0_   0x10
#define T1_M1_   0x20
#define T1_CT_   0x40
#define T1_GATE_ 0x80
#define T0_MASK_ 0x0F
#define T1_MASK_ 0xF0

#endif
