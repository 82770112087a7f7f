/* AT89X051.H: the 20-pin flash parts (AT89C2051, AT89C4051, AT89S2051,
   AT89S4051): the 8051 core without ports 0 and 2, which these parts do not
   have, and a name for every pin of ports 1 and 3 (P1_0 is port 1, bit 0).
   The addresses are the data sheets' SFR map. */

#ifndef C51_AT89X051_H
#define C51_AT89X051_H

/* Byte registers */
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
sfr P1    = 0x90;   /* port 1; P1.0 and P1.1 are the comparator's inputs */
sfr SCON  = 0x98;   /* serial control */
sfr SBUF  = 0x99;   /* serial buffer */
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

/* P3: alternate functions of the pins; no external memory, so no WR or RD */
sbit RXD  = P3^0;
sbit TXD  = P3^1;
sbit INT0 = P3^2;
sbit INT1 = P3^3;
sbit T0   = P3^4;
sbit T1   = P3^5;

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

sbit P1_0 = P1^0;
sbit P1_1 = P1^1;
sbit P1_2 = P1^2;
sbit P1_3 = P1^3;
sbit P1_4 = P1^4;
sbit P1_5 = P1^5;
sbit P1_6 = P1^6;
sbit P1_7 = P1^7;
sbit P3_0 = P3^0;
sbit P3_1 = P3^1;
sbit P3_2 = P3^2;
sbit P3_3 = P3^3;
sbit P3_4 = P3^4;
sbit P3_5 = P3^5;
sbit P3_6 = P3^6;   /* no pin: reads the comparator's output */
sbit P3_7 = P3^7;

#endif
