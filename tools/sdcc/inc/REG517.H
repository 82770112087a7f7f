/* REG517.H: the SAB 80C517 (and the 80C537 without its ROM), the 8051 core
   with six more ports, a second serial channel, eight data pointers, the
   watchdog, the multiplication/division unit, timer 2 with four
   compare/capture registers, the compare timer with eight compare
   registers (CM0-CM7) and the 8-bit A/D converter with its programmable
   reference. The addresses are the 80C517 data sheet's special function
   register table. REG517A.H adds the 80C517A's registers to this map. */

#ifndef C51_REG517_H
#define C51_REG517_H

/* The 8051 core; the first serial channel and the interrupt enable
   register under both the data sheet's and the 8051's names */
sfr P0     = 0x80;  /* port 0 */
sfr SP     = 0x81;  /* stack pointer */
sfr DPL    = 0x82;  /* data pointer, low byte (the one DPSEL selects) */
sfr DPH    = 0x83;  /* data pointer, high byte */
sfr PCON   = 0x87;  /* power control: SMOD PDS IDLS - GF1 GF0 PDE IDLE */
sfr TCON   = 0x88;  /* timer 0 and 1 control */
sfr TMOD   = 0x89;  /* timer 0 and 1 mode */
sfr TL0    = 0x8A;  /* timer 0, low byte */
sfr TL1    = 0x8B;  /* timer 1, low byte */
sfr TH0    = 0x8C;  /* timer 0, high byte */
sfr TH1    = 0x8D;  /* timer 1, high byte */
sfr P1     = 0x90;  /* port 1 */
sfr S0CON  = 0x98;  /* serial channel 0 control */
sfr SCON   = 0x98;  /* S0CON by the 8051's name */
sfr S0BUF  = 0x99;  /* serial channel 0 buffer */
sfr SBUF   = 0x99;  /* S0BUF by the 8051's name */
sfr P2     = 0xA0;  /* port 2 */
sfr IEN0   = 0xA8;  /* interrupt enable 0 */
sfr IE     = 0xA8;  /* IEN0 by the 8051's name */
sfr P3     = 0xB0;  /* port 3 */
sfr PSW    = 0xD0;  /* program status word */
sfr ACC    = 0xE0;  /* accumulator */
sfr B      = 0xF0;  /* B register */

/* Ports 4 to 8: P4 and P5 bidirectional and bit addressable, P6
   bidirectional (ADST, RXD1, TXD1), P7 and P8 the analog inputs read as
   digital ones (AN0-AN7, AN8-AN11) */
sfr P4     = 0xE8;
sfr P5     = 0xF8;
sfr P6     = 0xFA;
sfr P7     = 0xDB;
sfr P8     = 0xDD;

/* Eight data pointers: DPSEL's low three bits say which one DPL/DPH are */
sfr DPSEL  = 0x92;

/* Interrupts beyond the core's; IP0 and IP1 together give four levels,
   and IP0's top bits are the watchdogs' status flags */
sfr IEN1   = 0xB8;  /* interrupt enable 1: EXEN2 SWDT EX6 EX5 EX4 EX3 EX2 EADC */
sfr IEN2   = 0x9A;  /* interrupt enable 2: - - ECR ECS ECT ECMP - ES1 */
sfr IP0    = 0xA9;  /* interrupt priority 0: OWDS WDTS and the level bits */
sfr IP1    = 0xB9;  /* interrupt priority 1 */
sfr IRCON  = 0xC0;  /* interrupt request flags */

/* Watchdog: the reload value and prescaler; IEN0's WDT and IEN1's SWDT,
   set one after the other, restart it */
sfr WDTREL = 0x86;

/* Baud rate generator of serial channel 0 */
sfr S0RELL = 0xAA;  /* reload, low byte */
sfr S0RELH = 0xBA;  /* reload, high byte (two bits) */

/* Serial channel 1 (not bit addressable: SM - SM21 REN1 TB81 RB81 TI1 RI1) */
sfr S1CON  = 0x9B;  /* control */
sfr S1BUF  = 0x9C;  /* buffer */
sfr S1RELL = 0x9D;  /* baud rate reload, low byte */
sfr S1RELH = 0xBB;  /* baud rate reload, high byte */

/* Timer 2 with its compare/capture unit */
sfr T2CON  = 0xC8;  /* timer 2 control */
sfr CCEN   = 0xC1;  /* compare/capture enable for CRC and CC1-CC3 */
sfr CC4EN  = 0xC9;  /* compare/capture enable for CC4 */
sfr CCL1   = 0xC2;  /* compare/capture 1, low byte */
sfr CCH1   = 0xC3;  /* compare/capture 1, high byte */
sfr CCL2   = 0xC4;
sfr CCH2   = 0xC5;
sfr CCL3   = 0xC6;
sfr CCH3   = 0xC7;
sfr CCL4   = 0xCE;
sfr CCH4   = 0xCF;
sfr CRCL   = 0xCA;  /* compare/reload/capture, low byte */
sfr CRCH   = 0xCB;  /* compare/reload/capture, high byte */
sfr TL2    = 0xCC;  /* timer 2, low byte */
sfr TH2    = 0xCD;  /* timer 2, high byte */

/* Compare timer and the compare registers CM0-CM7 (outputs on port 4) */
sfr CTCON  = 0xE1;  /* compare timer control */
sfr CTRELL = 0xDE;  /* compare timer reload, low byte */
sfr CTRELH = 0xDF;  /* compare timer reload, high byte */
sfr CMEN   = 0xF6;  /* compare enable */
sfr CMSEL  = 0xF7;  /* compare timer or timer 2 for each CM register */
sfr CML0   = 0xD2;
sfr CMH0   = 0xD3;
sfr CML1   = 0xD4;
sfr CMH1   = 0xD5;
sfr CML2   = 0xD6;
sfr CMH2   = 0xD7;
sfr CML3   = 0xE2;
sfr CMH3   = 0xE3;
sfr CML4   = 0xE4;
sfr CMH4   = 0xE5;
sfr CML5   = 0xE6;
sfr CMH5   = 0xE7;
sfr CML6   = 0xF2;
sfr CMH6   = 0xF3;
sfr CML7   = 0xF4;
sfr CMH7   = 0xF5;

/* Multiplication/division unit: operands and results in MD0-MD5, the
   operation and shift count in ARCON */
sfr MD0    = 0xE9;
sfr MD1    = 0xEA;
sfr MD2    = 0xEB;
sfr MD3    = 0xEC;
sfr MD4    = 0xED;
sfr MD5    = 0xEE;
sfr ARCON  = 0xEF;

/* A/D converter: ADCON0 starts and ends conversions, ADCON1 selects the
   input (MX3-MX0); DAPR sets the reference and a write starts a
   conversion */
sfr ADCON0 = 0xD8;
sfr ADCON  = 0xD8;  /* ADCON0 by its name on the 80C515 */
sfr ADCON1 = 0xDC;
sfr ADDAT  = 0xD9;  /* result */
sfr DAPR   = 0xDA;  /* reference program register */

/* TCON */
sbit IT0   = TCON^0;
sbit IE0   = TCON^1;
sbit IT1   = TCON^2;
sbit IE1   = TCON^3;
sbit TR0   = TCON^4;
sbit TF0   = TCON^5;
sbit TR1   = TCON^6;
sbit TF1   = TCON^7;

/* S0CON, and its bits by the 8051's names */
sbit RI0   = S0CON^0;
sbit TI0   = S0CON^1;
sbit RB80  = S0CON^2;
sbit TB80  = S0CON^3;
sbit REN0  = S0CON^4;
sbit SM20  = S0CON^5;
sbit SM1   = S0CON^6;
sbit SM0   = S0CON^7;
sbit RI    = S0CON^0;
sbit TI    = S0CON^1;
sbit RB8   = S0CON^2;
sbit TB8   = S0CON^3;
sbit REN   = S0CON^4;
sbit SM2   = S0CON^5;

/* IEN0 */
sbit EX0   = IEN0^0;
sbit ET0   = IEN0^1;
sbit EX1   = IEN0^2;
sbit ET1   = IEN0^3;
sbit ES0   = IEN0^4;  /* serial channel 0 */
sbit ES    = IEN0^4;
sbit ET2   = IEN0^5;
sbit WDT   = IEN0^6;  /* watchdog restart, first half */
sbit EAL   = IEN0^7;  /* all interrupts */
sbit EA    = IEN0^7;

/* IEN1 */
sbit EADC  = IEN1^0;  /* A/D converter */
sbit EX2   = IEN1^1;
sbit EX3   = IEN1^2;
sbit EX4   = IEN1^3;
sbit EX5   = IEN1^4;
sbit EX6   = IEN1^5;
sbit SWDT  = IEN1^6;  /* watchdog restart, second half */
sbit EXEN2 = IEN1^7;  /* timer 2 external reload interrupt */

/* IRCON */
sbit IADC  = IRCON^0;
sbit IEX2  = IRCON^1;
sbit IEX3  = IRCON^2;
sbit IEX4  = IRCON^3;
sbit IEX5  = IRCON^4;
sbit IEX6  = IRCON^5;
sbit TF2   = IRCON^6;
sbit EXF2  = IRCON^7;

/* T2CON */
sbit T2I0  = T2CON^0;  /* input select */
sbit T2I1  = T2CON^1;
sbit T2CM  = T2CON^2;  /* compare mode */
sbit T2R0  = T2CON^3;  /* reload mode */
sbit T2R1  = T2CON^4;
sbit I2FR  = T2CON^5;  /* INT2 edge */
sbit I3FR  = T2CON^6;  /* INT3 edge */
sbit T2PS  = T2CON^7;  /* prescaler */

/* PSW */
sbit P     = PSW^0;
sbit F1    = PSW^1;
sbit OV    = PSW^2;
sbit RS0   = PSW^3;
sbit RS1   = PSW^4;
sbit F0    = PSW^5;
sbit AC    = PSW^6;
sbit CY    = PSW^7;

/* ADCON0 */
sbit MX0   = ADCON0^0;  /* input select, low bits (ADCON1 has all four) */
sbit MX1   = ADCON0^1;
sbit MX2   = ADCON0^2;
sbit ADM   = ADCON0^3;  /* continuous conversion */
sbit BSY   = ADCON0^4;  /* conversion in progress */
sbit ADEX  = ADCON0^5;  /* start by the ADST pin */
sbit CLK   = ADCON0^6;  /* clock out on P1.6 */
sbit BD    = ADCON0^7;  /* serial channel 0 baud rate generator on */

/* Port pins (P4_7 is port 4, bit 7) */
sbit P0_0  = P0^0;
sbit P0_1  = P0^1;
sbit P0_2  = P0^2;
sbit P0_3  = P0^3;
sbit P0_4  = P0^4;
sbit P0_5  = P0^5;
sbit P0_6  = P0^6;
sbit P0_7  = P0^7;
sbit P1_0  = P1^0;
sbit P1_1  = P1^1;
sbit P1_2  = P1^2;
sbit P1_3  = P1^3;
sbit P1_4  = P1^4;
sbit P1_5  = P1^5;
sbit P1_6  = P1^6;
sbit P1_7  = P1^7;
sbit P2_0  = P2^0;
sbit P2_1  = P2^1;
sbit P2_2  = P2^2;
sbit P2_3  = P2^3;
sbit P2_4  = P2^4;
sbit P2_5  = P2^5;
sbit P2_6  = P2^6;
sbit P2_7  = P2^7;
sbit P3_0  = P3^0;
sbit P3_1  = P3^1;
sbit P3_2  = P3^2;
sbit P3_3  = P3^3;
sbit P3_4  = P3^4;
sbit P3_5  = P3^5;
sbit P3_6  = P3^6;
sbit P3_7  = P3^7;
sbit P4_0  = P4^0;
sbit P4_1  = P4^1;
sbit P4_2  = P4^2;
sbit P4_3  = P4^3;
sbit P4_4  = P4^4;
sbit P4_5  = P4^5;
sbit P4_6  = P4^6;
sbit P4_7  = P4^7;
sbit P5_0  = P5^0;
sbit P5_1  = P5^1;
sbit P5_2  = P5^2;
sbit P5_3  = P5^3;
sbit P5_4  = P5^4;
sbit P5_5  = P5^5;
sbit P5_6  = P5^6;
sbit P5_7  = P5^7;

/* Port 1's and port 3's functions (P1.0-P1.4 are also CC0-CC4) */
sbit INT3  = P1^0;
sbit INT4  = P1^1;
sbit INT5  = P1^2;
sbit INT6  = P1^3;
sbit INT2  = P1^4;
sbit T2EX  = P1^5;
sbit CLKOUT = P1^6;
sbit T2    = P1^7;
sbit RXD   = P3^0;
sbit TXD   = P3^1;
sbit INT0  = P3^2;
sbit INT1  = P3^3;
sbit T0    = P3^4;
sbit T1    = P3^5;
sbit WR    = P3^6;
sbit RD    = P3^7;

#endif
