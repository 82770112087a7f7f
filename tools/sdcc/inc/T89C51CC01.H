/* T89C51CC01.H: the T89C51CC01 (later AT89C51CC01), an X2 8052 with a CAN
   controller, a PCA of five modules, a 10-bit ADC and a data EEPROM:
   AT89X52.H plus the clock, flash, interrupt, PCA, ADC and CAN registers
   and their bits. The CAN controller shows the message object CANPAGE
   selects through its CANCONCH, CANSTCH, CANIDT, CANIDM and CANMSG
   registers. The addresses are the T89C51CC01 data sheet's SFR table. */

#ifndef C51_T89C51CC01_H
#define C51_T89C51CC01_H

#include "AT89X52.H" /* REG52.H, AUXR, AUXR1, WDTRST, T2MOD and the port pins */

/* System management */
sfr CKCON  = 0x8F;  /* clock control: X2 and the peripherals' X2 bits */
sfr FCON   = 0xD1;  /* flash control */
sfr EECON  = 0xD2;  /* data EEPROM control */
sfr WDTPRG = 0xA7;  /* watchdog period */

/* Interrupts: IE and IP by the data sheet's names, and the second bank */
sfr IEN0   = 0xA8;
sfr IEN1   = 0xE8;  /* CAN, ADC and CAN timer overrun enables */
sfr IPL0   = 0xB8;
sfr IPH0   = 0xB7;  /* interrupt priority, high bits */
sfr IPL1   = 0xF8;
sfr IPH1   = 0xF7;

/* Serial port: automatic address recognition */
sfr SADDR  = 0xA9;
sfr SADEN  = 0xB9;

/* Port 4: the CAN pins, TxDC and RxDC */
sfr P4     = 0xC0;

/* PCA: counter, modules 0 to 4 */
sfr CCON   = 0xD8;
sfr CMOD   = 0xD9;
sfr CCAPM0 = 0xDA;
sfr CCAPM1 = 0xDB;
sfr CCAPM2 = 0xDC;
sfr CCAPM3 = 0xDD;
sfr CCAPM4 = 0xDE;
sfr CL     = 0xE9;
sfr CCAP0L = 0xEA;
sfr CCAP1L = 0xEB;
sfr CCAP2L = 0xEC;
sfr CCAP3L = 0xED;
sfr CCAP4L = 0xEE;
sfr CH     = 0xF9;
sfr CCAP0H = 0xFA;
sfr CCAP1H = 0xFB;
sfr CCAP2H = 0xFC;
sfr CCAP3H = 0xFD;
sfr CCAP4H = 0xFE;

/* ADC */
sfr ADCLK  = 0xF2;  /* clock prescaler */
sfr ADCON  = 0xF3;  /* control: PSIDLE ADEN ADEOC ADSST SCH2..SCH0 */
sfr ADDL   = 0xF4;  /* result, the two low bits */
sfr ADDH   = 0xF5;  /* result, high bits */
sfr ADCF   = 0xF6;  /* P1 pins used as ADC inputs */

/* CAN controller: general registers */
sfr CANGIT   = 0x9B;  /* general interrupt */
sfr CANTEC   = 0x9C;  /* transmit error counter */
sfr CANREC   = 0x9D;  /* receive error counter */
sfr CANTCON  = 0xA1;  /* timer clock control */
sfr CANGSTA  = 0xAA;  /* general status */
sfr CANGCON  = 0xAB;  /* general control */
sfr CANTIML  = 0xAC;  /* timer */
sfr CANTIMH  = 0xAD;
sfr CANSTMPL = 0xAE;  /* time stamp */
sfr CANSTMPH = 0xAF;
sfr CANTTCL  = 0xA4;  /* TTC timer */
sfr CANTTCH  = 0xA5;
sfr CANBT1   = 0xB4;  /* bit timing */
sfr CANBT2   = 0xB5;
sfr CANBT3   = 0xB6;
sfr CANSIT1  = 0xBA;  /* message objects' interrupt status */
sfr CANSIT2  = 0xBB;
sfr CANGIE   = 0xC1;  /* general interrupt enable */
sfr CANIE1   = 0xC2;  /* message objects' interrupt enable */
sfr CANIE2   = 0xC3;
sfr CANEN1   = 0xCE;  /* message objects enabled */
sfr CANEN2   = 0xCF;

/* CAN controller: the message object CANPAGE selects */
sfr CANPAGE  = 0xB1;
sfr CANSTCH  = 0xB2;  /* status */
sfr CANCONCH = 0xB3;  /* control and data length */
sfr CANIDT1  = 0xBC;  /* identifier tag */
sfr CANIDT2  = 0xBD;
sfr CANIDT3  = 0xBE;
sfr CANIDT4  = 0xBF;
sfr CANIDM1  = 0xC4;  /* identifier mask */
sfr CANIDM2  = 0xC5;
sfr CANIDM3  = 0xC6;
sfr CANIDM4  = 0xC7;
sfr CANMSG   = 0xA3;  /* message data, byte by byte */

/* IEN0 and IPL0: the PCA's bits */
sbit EC   = IE^6;
sbit PPC  = IP^6;

/* IEN1 */
sbit ECAN = IEN1^0;
sbit EADC = IEN1^1;
sbit ETIM = IEN1^2;

/* IPL1 */
sbit PCANL = IPL1^0;
sbit PADCL = IPL1^1;
sbit PTIML = IPL1^2;

/* CCON */
sbit CCF0 = CCON^0;
sbit CCF1 = CCON^1;
sbit CCF2 = CCON^2;
sbit CCF3 = CCON^3;
sbit CCF4 = CCON^4;
sbit CR   = CCON^6;
sbit CF   = CCON^7;

/* Port 4 */
sbit P4_0 = P4^0;
sbit P4_1 = P4^1;
sbit TXDC = P4^0;
sbit RXDC = P4^1;

#endif
