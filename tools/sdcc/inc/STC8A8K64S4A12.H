/* STC8A8K64S4A12.H: the STC8A series (STC8A8K64S4A12 and its smaller
   siblings, 1-clock 8051s with a 12-bit ADC and a PCA): the 8051 core
   (REG51.H), the SFRs and bits the STC8 family shares, ports 6 and 7 of
   the 64-pin parts, and the clock, port and I2C registers it keeps in
   XDATA at 0xFExx, which answer only while P_SW2 bit 7 (EAXFR) is set.
   The series' own 15-bit PWM and its fourth PCA module are not named: a
   program using them is told the name is unknown, not given a guess. */

#ifndef C51_STC8A_H
#define C51_STC8A_H

#include "REG51.H"

/* SFRs beyond the 8051 core */
sfr S4CON     = 0x84;  /* UART 4: control */
sfr S4BUF     = 0x85;  /* UART 4: buffer */
sfr AUXR      = 0x8E;  /* T0x12 T1x12 UART_M0x6 T2R T2_C/T T2x12 EXTRAM S1ST2 */
sfr INTCLKO   = 0x8F;  /* EX4 EX3 EX2 - T2CLKO T1CLKO T0CLKO */
sfr P1M1      = 0x91;  /* port modes: PxM1/PxM0 = 00 quasi-bidirectional, */
sfr P1M0      = 0x92;  /* 01 push-pull, 10 input only, 11 open drain */
sfr P0M1      = 0x93;
sfr P0M0      = 0x94;
sfr P2M1      = 0x95;
sfr P2M0      = 0x96;
sfr S2CON     = 0x9A;  /* UART 2: control */
sfr S2BUF     = 0x9B;  /* UART 2: buffer */
sfr IRTRIM    = 0x9F;
sfr P_SW1     = 0xA2;  /* peripheral pin switch 1 */
sfr SADDR     = 0xA9;  /* serial slave address */
sfr WKTCL     = 0xAA;  /* power-down wake-up timer */
sfr WKTCH     = 0xAB;
sfr S3CON     = 0xAC;  /* UART 3: control */
sfr S3BUF     = 0xAD;  /* UART 3: buffer */
sfr TA        = 0xAE;  /* DPTR timing access */
sfr IE2       = 0xAF;  /* interrupt enable 2 */
sfr P3M1      = 0xB1;
sfr P3M0      = 0xB2;
sfr P4M1      = 0xB3;
sfr P4M0      = 0xB4;
sfr IP2       = 0xB5;  /* interrupt priority 2 */
sfr IP2H      = 0xB6;
sfr IPH       = 0xB7;
sfr SADEN     = 0xB9;  /* serial slave address mask */
sfr P_SW2     = 0xBA;  /* pin switch 2; bit 7 (EAXFR): XDATA registers */
sfr ADC_CONTR = 0xBC;  /* ADC_POWER ADC_START ADC_FLAG ADC_EPWMT CHS3..CHS0 */
sfr ADC_RES   = 0xBD;  /* ADC result, high part */
sfr ADC_RESL  = 0xBE;  /* ADC result, low part */
sfr P4        = 0xC0;  /* port 4 */
sfr WDT_CONTR = 0xC1;  /* watchdog */
sfr IAP_DATA  = 0xC2;  /* flash/EEPROM programming */
sfr IAP_ADDRH = 0xC3;
sfr IAP_ADDRL = 0xC4;
sfr IAP_CMD   = 0xC5;
sfr IAP_TRIG  = 0xC6;
sfr IAP_CONTR = 0xC7;
sfr P5        = 0xC8;  /* port 5 */
sfr P5M1      = 0xC9;
sfr P5M0      = 0xCA;
sfr P6M1      = 0xCB;  /* ports 6 and 7 (64-pin parts) */
sfr P6M0      = 0xCC;
sfr SPSTAT    = 0xCD;  /* SPI status */
sfr SPCTL     = 0xCE;  /* SPI control */
sfr SPDAT     = 0xCF;  /* SPI data */
sfr T4T3M     = 0xD1;  /* timers 3 and 4: mode */
sfr T4H       = 0xD2;  /* timer 4 */
sfr T4L       = 0xD3;
sfr T3H       = 0xD4;  /* timer 3 */
sfr T3L       = 0xD5;
sfr T2H       = 0xD6;  /* timer 2 */
sfr T2L       = 0xD7;
sfr CCON      = 0xD8;  /* PCA control */
sfr CMOD      = 0xD9;  /* PCA mode */
sfr CCAPM0    = 0xDA;  /* PCA module modes */
sfr CCAPM1    = 0xDB;
sfr CCAPM2    = 0xDC;
sfr ADCCFG    = 0xDE;  /* ADC result format and speed */
sfr DPS       = 0xE3;  /* data pointer select */
sfr DPL1      = 0xE4;  /* second data pointer */
sfr DPH1      = 0xE5;
sfr CMPCR1    = 0xE6;  /* comparator control */
sfr CMPCR2    = 0xE7;
sfr CL        = 0xE9;  /* PCA counter */
sfr CCAP0L    = 0xEA;  /* PCA module capture/compare */
sfr CCAP1L    = 0xEB;
sfr CCAP2L    = 0xEC;
sfr AUXINTIF  = 0xEF;  /* timer 2 to 4 and external interrupt 2 to 4 flags */
sfr PCA_PWM0  = 0xF2;  /* PCA module PWM */
sfr PCA_PWM1  = 0xF3;
sfr PCA_PWM2  = 0xF4;
sfr IAP_TPS   = 0xF5;  /* flash programming clock prescaler (later revisions) */
sfr CH        = 0xF9;
sfr CCAP0H    = 0xFA;
sfr CCAP1H    = 0xFB;
sfr CCAP2H    = 0xFC;
sfr RSTCFG    = 0xFF;  /* reset configuration */

sfr P7M1      = 0xE1;
sfr P7M0      = 0xE2;
sfr P6        = 0xE8;  /* port 6 */
sfr P7        = 0xF8;  /* port 7 */

/* IE and IP: the bits the 8051 core leaves free */
sbit EADC = IE^5;
sbit ELVD = IE^6;
sbit PADC = IP^5;
sbit PLVD = IP^6;
sbit PPCA = IP^7;

/* CCON */
sbit CCF0 = CCON^0;
sbit CCF1 = CCON^1;
sbit CCF2 = CCON^2;
sbit CR   = CCON^6;
sbit CF   = CCON^7;

/* Port pins: P10 is port 1, bit 0 */
sbit P00 = P0^0; sbit P01 = P0^1; sbit P02 = P0^2; sbit P03 = P0^3;
sbit P04 = P0^4; sbit P05 = P0^5; sbit P06 = P0^6; sbit P07 = P0^7;
sbit P10 = P1^0; sbit P11 = P1^1; sbit P12 = P1^2; sbit P13 = P1^3;
sbit P14 = P1^4; sbit P15 = P1^5; sbit P16 = P1^6; sbit P17 = P1^7;
sbit P20 = P2^0; sbit P21 = P2^1; sbit P22 = P2^2; sbit P23 = P2^3;
sbit P24 = P2^4; sbit P25 = P2^5; sbit P26 = P2^6; sbit P27 = P2^7;
sbit P30 = P3^0; sbit P31 = P3^1; sbit P32 = P3^2; sbit P33 = P3^3;
sbit P34 = P3^4; sbit P35 = P3^5; sbit P36 = P3^6; sbit P37 = P3^7;
sbit P40 = P4^0; sbit P41 = P4^1; sbit P42 = P4^2; sbit P43 = P4^3;
sbit P44 = P4^4; sbit P45 = P4^5; sbit P46 = P4^6; sbit P47 = P4^7;
sbit P50 = P5^0; sbit P51 = P5^1; sbit P52 = P5^2; sbit P53 = P5^3;
sbit P54 = P5^4; sbit P55 = P5^5; sbit P56 = P5^6; sbit P57 = P5^7;

/* XDATA: clocks */
#define CKSEL       (*(unsigned char volatile xdata *)0xFE00)  /* main clock select */
#define CLKDIV      (*(unsigned char volatile xdata *)0xFE01)  /* main clock divider */
#define IRC24MCR    (*(unsigned char volatile xdata *)0xFE02)  /* internal 24 MHz oscillator */
#define XOSCCR      (*(unsigned char volatile xdata *)0xFE03)  /* external oscillator */
#define IRC32KCR    (*(unsigned char volatile xdata *)0xFE04)  /* internal 32 kHz oscillator */

/* XDATA: port pull-up resistors and Schmitt triggers */
#define P0PU        (*(unsigned char volatile xdata *)0xFE10)
#define P1PU        (*(unsigned char volatile xdata *)0xFE11)
#define P2PU        (*(unsigned char volatile xdata *)0xFE12)
#define P3PU        (*(unsigned char volatile xdata *)0xFE13)
#define P4PU        (*(unsigned char volatile xdata *)0xFE14)
#define P5PU        (*(unsigned char volatile xdata *)0xFE15)
#define P6PU        (*(unsigned char volatile xdata *)0xFE16)
#define P7PU        (*(unsigned char volatile xdata *)0xFE17)
#define P0NCS       (*(unsigned char volatile xdata *)0xFE18)
#define P1NCS       (*(unsigned char volatile xdata *)0xFE19)
#define P2NCS       (*(unsigned char volatile xdata *)0xFE1A)
#define P3NCS       (*(unsigned char volatile xdata *)0xFE1B)
#define P4NCS       (*(unsigned char volatile xdata *)0xFE1C)
#define P5NCS       (*(unsigned char volatile xdata *)0xFE1D)
#define P6NCS       (*(unsigned char volatile xdata *)0xFE1E)
#define P7NCS       (*(unsigned char volatile xdata *)0xFE1F)

/* XDATA: I2C */
#define I2CCFG      (*(unsigned char volatile xdata *)0xFE80)  /* configuration */
#define I2CMSCR     (*(unsigned char volatile xdata *)0xFE81)  /* master control */
#define I2CMSST     (*(unsigned char volatile xdata *)0xFE82)  /* master status */
#define I2CSLCR     (*(unsigned char volatile xdata *)0xFE83)  /* slave control */
#define I2CSLST     (*(unsigned char volatile xdata *)0xFE84)  /* slave status */
#define I2CSLADR    (*(unsigned char volatile xdata *)0xFE85)  /* slave address */
#define I2CTXD      (*(unsigned char volatile xdata *)0xFE86)  /* transmit data */
#define I2CRXD      (*(unsigned char volatile xdata *)0xFE87)  /* receive data */

#endif
