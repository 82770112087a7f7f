/* REG51.H: special function registers of the basic 8051 core.
   Part of the simulated toolchain; minimal on purpose. */

#ifndef REG51_H_INCLUDED
#define REG51_H_INCLUDED

/* Byte registers */
sfr P0    = 0x80;   /* port 0 */
sfr SP    = 0x81;   /* stack pointer */
sfr DPL   = 0x82;   /* data pointer, low byte */
sfr DPH   = 0x83;   /* data pointer, high byte */
sfr PCON  = 0x87;   /* power control */
sfr TCON  = 0x88;   /* timer control */
sfr TMOD  = 0x89;   /* timer mode */
sfr TL0   = 0x8A;
sfr TL1   = 0x8B;
sfr TH0   = 0x8C;
sfr TH1   = 0x8D;
sfr P1    = 0x90;   /* port 1 */
sfr SCON  = 0x98;   /* serial control */
sfr SBUF  = 0x99;   /* serial buffer */
sfr P2    = 0xA0;   /* port 2 */
sfr IE    = 0xA8;   /* interrupt enable */
sfr P3    = 0xB0;   /* port 3 */
sfr IP    = 0xB8;   /* interrupt priority */
sfr PSW   = 0xD0;   /* program status word */
sfr ACC   = 0xE0;   /* accumulator */
sfr B     = 0xF0;

/* TCON bits */
sbit IT0  = 0x88;
sbit IE0  = 0x89;
sbit IT1  = 0x8A;
sbit IE1  = 0x8B;
sbit TR0  = 0x8C;
sbit TF0  = 0x8D;
sbit TR1  = 0x8E;
sbit TF1  = 0x8F;

/* SCON bits */
sbit RI   = 0x98;
sbit TI   = 0x99;
sbit RB8  = 0x9A;
sbit TB8  = 0x9B;
sbit REN  = 0x9C;
sbit SM2  = 0x9D;
sbit SM1  = 0x9E;
sbit SM0  = 0x9F;

/* IE bits */
sbit EX0  = 0xA8;
sbit ET0  = 0xA9;
sbit EX1  = 0xAA;
sbit ET1  = 0xAB;
sbit ES   = 0xAC;
sbit EA   = 0xAF;

/* P3 alternate functions */
sbit RXD  = 0xB0;
sbit TXD  = 0xB1;
sbit INT0 = 0xB2;
sbit INT1 = 0xB3;
sbit T0   = 0xB4;
sbit T1   = 0xB5;
sbit WR   = 0xB6;
sbit RD   = 0xB7;

/* IP bits */
sbit PX0  = 0xB8;
sbit PT0  = 0xB9;
sbit PX1  = 0xBA;
sbit PT1  = 0xBB;
sbit PS   = 0xBC;

/* PSW bits */
sbit P    = 0xD0;
sbit OV   = 0xD2;
sbit RS0  = 0xD3;
sbit RS1  = 0xD4;
sbit F0   = 0xD5;
sbit AC   = 0xD6;
sbit CY   = 0xD7;

#endif
