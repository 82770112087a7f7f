/*--------------------------------------------------------------------------
 MS51_16K.h : MS51FB9AE / MS51XB9AE / MS51XB9BE  (16KB APROM)
 SFR page 0 is the default; page 1 / page 2 entries marked
--------------------------------------------------------------------------*/
#ifndef __MS51_16K_H__
#define __MS51_16K_H__

sfr P0          = 0x80;
sfr SP          = 0x81;
sfr DPL         = 0x82;
sfr DPH         = 0x83;
sfr RCTRIM0     = 0x84;
sfr RCTRIM1     = 0x85;
sfr RWKL        = 0x86;
sfr PCON        = 0x87;
sfr TCON        = 0x88;
sfr TMOD        = 0x89;
sfr TL0         = 0x8A;
sfr TL1         = 0x8B;
sfr TH0         = 0x8C;
sfr TH1         = 0x8D;
sfr CKCON       = 0x8E;
sfr WKCON       = 0x8F;
sfr P1          = 0x90;
sfr SFRS        = 0x91;
sfr CAPCON0     = 0x92;
sfr CAPCON1     = 0x93;
sfr CAPCON2     = 0x94;
sfr CKDIV       = 0x95;
sfr CKSWT       = 0x96;
sfr CKEN        = 0x97;
sfr SCON        = 0x98;
sfr SBUF        = 0x99;
sfr SBUF_1      = 0x9A;
sfr EIE0        = 0x9B;
sfr EIE1        = 0x9C;
sfr CHPCON      = 0x9F;
sfr P2          = 0xA0;
sfr AUXR1       = 0xA2;
sfr BODCON0     = 0xA3;
sfr IAPTRG      = 0xA4;
sfr IAPUEN      = 0xA5;
sfr IAPAL       = 0xA6;
sfr IAPAH       = 0xA7;
sfr IE          = 0xA8;
sfr SADDR       = 0xA9;
sfr WDCON       = 0xAA;
sfr BODCON1     = 0xAB;
sfr P3M1        = 0xAC;
sfr P3M2        = 0xAD;
sfr IAPFD       = 0xAE;
sfr IAPCN       = 0xAF;
sfr P3          = 0xB0;
sfr P0M1        = 0xB1;
sfr P0M2        = 0xB2;
sfr P1M1        = 0xB3;
sfr P1M2        = 0xB4;
sfr P1S         = 0xB3;   /* page 1 */
sfr P1SR        = 0xB4;   /* page 1 */
sfr IPH         = 0xB7;
sfr IP          = 0xB8;
sfr SADEN       = 0xB9;
sfr I2DAT       = 0xBC;
sfr I2STAT      = 0xBD;
sfr I2CLK       = 0xBE;
sfr I2TOC       = 0xBF;
sfr I2CON       = 0xC0;
sfr I2ADDR      = 0xC1;
sfr ADCRL       = 0xC2;
sfr ADCRH       = 0xC3;
sfr T3CON       = 0xC4;
sfr RL3         = 0xC5;
sfr RH3         = 0xC6;
sfr TA          = 0xC7;
sfr T2CON       = 0xC8;
sfr T2MOD       = 0xC9;
sfr RCMP2L      = 0xCA;
sfr RCMP2H      = 0xCB;
sfr TL2         = 0xCC;
sfr TH2         = 0xCD;
sfr PSW         = 0xD0;
sfr ACC         = 0xE0;
sfr ADCCON0     = 0xE8;
sfr B           = 0xF0;
sfr SCON_1      = 0xF8;
sfr EIP0        = 0xEF;
sfr EIPH0       = 0xF7;
sfr EIP1        = 0xFE;
sfr EIPH1       = 0xFF;
sfr WKCON_P2    = 0x8F;
sfr RWKH        = 0x8E;
sfr AINDIDS0    = 0xF6;
sfr ADCCON1     = 0xE1;

/* IE */
sbit EA   = IE^7;
sbit EADC = IE^6;
sbit EBOD = IE^5;
sbit ES   = IE^4;
sbit ET1  = IE^3;
sbit EX1  = IE^2;
sbit ET0  = IE^1;
sbit EX0  = IE^0;

/* TCON */
sbit TF1  = TCON^7;
sbit TR1  = TCON^6;
sbit TF0  = TCON^5;
sbit TR0  = TCON^4;
sbit IE1  = TCON^3;
sbit IT1  = TCON^2;
sbit IE0  = TCON^1;
sbit IT0  = TCON^0;

/* SCON */
sbit SM0  = SCON^7;
sbit SM1  = SCON^6;
sbit SM2  = SCON^5;
sbit REN  = SCON^4;
sbit TB8  = SCON^3;
sbit RB8  = SCON^2;
sbit TI   = SCON^1;
sbit RI   = SCON^0;

/* T2CON */
sbit TF2  = T2CON^7;
sbit TR2  = T2CON^2;

/* ADCCON0 */
sbit ADCF = ADCCON0^7;
sbit ADCS = ADCCON0^6;

/* P1 */
sbit P17 = P1^7;
sbit P16 = P1^6;
sbit P15 = P1^5;
sbit P14 = P1^4;
sbit P13 = P1^3;
sbit P12 = P1^2;
sbit P11 = P1^1;
sbit P10 = P1^0;

/* P0 */
sbit P07 = P0^7;
sbit P06 = P0^6;
sbit P05 = P0^5;
sbit P03 = P0^3;

/* P3 */
sbit P30 = P3^0;

#endif
