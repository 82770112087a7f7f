/* REG51.H: the special function registers and bits of the 8051 core, for
   the compiler on sdcc. Written in our dialect (sfr, sbit); the compiler
   rewrites it for sdcc. */

#ifndef C51_REG51_H
#define C51_REG51_H

/* Byte registers */
sfr P0    = 0x80;   /* port 0 */
sfr SP    = 0x81;   /* stack pointer */
sfr DPL   = 0x82;   /* data pointer, low byte */
sfr DPH   = 0x83;   /* data pointer, high byte */
sfr PCON  = 0x87;   /* power control */
sfr TCON  = 0x88;   /* timer control */
sfr TMOD  = 0x89;   /* timer mode */
sfr TL0   = 0x8A;   /* timer 0, low byte */
sfr TL1   = 0x8B;   /* timer 1, low byte */
sfr TH0   = 0x8C;   /* timer 0, high byte */
sfr TH1   = 0x8D;   /* timer 1, high byte */
sfr P1    = 0x90;   /* port 1 */
sfr SCON  = 0x98;   /* serial control */
sfr SBUF  = 0x99;   /* serial buffer */
sfr P2    = 0xA0;   /* port 2 */
sfr IE    = 0xA8;   /* interrupt enable */
sfr P3    = 0xB0;   /* port 3 */
sfr IP    = 0xB8;   /* interrupt priority */
sfr PSW   = 0xD0;   /* program status word */
sfr ACC   = 0xE0;   /* accumulator */
sfr B     = 0xF0;   /* B register */

/* TCON */
sbit IT0  = TCON^0;
sbit IE0  = TCON^1;
sbit IT1  = TCON^2;
sbit IE1  = TCON^3;
sbit TR0  = TCON^4;
sbit TF0  = TCON^5;
sbit TR1  = TCON^6;
sbit TF1  = TCON^7;

/* SCON */
sbit RI   = SCON^0;
sbit TI   = SCON^1;
sbit RB8  = SCON^2;
sbit TB8  = SCON^3;
sbit REN  = SCON^4;
sbit SM2  = SCON^5;
sbit SM1  = SCON^6;
sbit SM0  = SCON^7;

/* IE */
sbit EX0  = IE^0;
sbit ET0  = IE^1;
sbit EX1  = IE^2;
sbit ET1  = IE^3;
sbit ES   = IE^4;
sbit EA   = IE^7;

/* P3: alternate functions of the pins */
sbit RXD  = P3^0;
sbit TXD  = P3^1;
sbit INT0 = P3^2;
sbit INT1 = P3^3;
sbit T0   = P3^4;
sbit T1   = P3^5;
sbit WR   = P3^6;
sbit RD   = P3^7;

/* IP */
sbit PX0  = IP^0;
sbit PT0  = IP^1;
sbit PX1  = IP^2;
sbit PT1  = IP^3;
sbit PS   = IP^4;

/* PSW */
sbit P    = PSW^0;
sbit F1   = PSW^1;
sbit OV   = PSW^2;
sbit RS0  = PSW^3;
sbit RS1  = PSW^4;
sbit F0   = PSW^5;
sbit AC   = PSW^6;
sbit CY   = PSW^7;

#endif
