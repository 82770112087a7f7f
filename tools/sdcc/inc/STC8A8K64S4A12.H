/* STC8A8K64S4A12.H: the STC8A series (STC8A8K64S4A12 and its smaller
   siblings, 1-clock 8051s with a 12-bit ADC and a PCA): the 8051 core
   (REG51.H), the SFRs and bits the STC8 family shares, ports 6 and 7 of
   the 64-pin parts, and the clock, port and I2C registers it keeps in
   XDATA at 0xFExx, which answer only while P_SW2 bit 7 (EAXFR) is set.
   The series' own 15-bit PWM and its fourth PCA module are not named: a
   program using them is told the name is unknown, not given a guess.

   After each register that is not bit addressable come macros for its
   bits, named as the chip maker's own headers name them, so that
   "P_SW2 |= EAXFR;" and "if (S2CON & S2TI)" compile; the values are
   the data sheet's bit tables. Pin-switch fields and the IAP commands,
   which are numbers rather than bits, are left to the program.

   S3CON bit 6 is named twice: S3ST3 as the data sheet has it, S3ST4
   as the maker's STC8 header spells it. */

#ifndef C51_STC8A_H
#define C51_STC8A_H

#include "REG51.H"

/* PCON and TMOD (REG51.H): their bits */
#define SMOD       0x80
#define SMOD0      0x40
#define LVDF       0x20
#define POF        0x10
#define GF1        0x08
#define GF0        0x04
#define PD         0x02
#define IDL        0x01
#define T1_GATE    0x80
#define T1_CT      0x40
#define T1_M1      0x20
#define T1_M0      0x10
#define T0_GATE    0x08
#define T0_CT      0x04
#define T0_M1      0x02
#define T0_M0      0x01

/* SFRs beyond the 8051 core */
sfr S4CON     = 0x84;  /* UART 4: control */
#define S4SM0      0x80
#define S4ST4      0x40
#define S4SM2      0x20
#define S4REN      0x10
#define S4TB8      0x08
#define S4RB8      0x04
#define S4TI       0x02
#define S4RI       0x01
sfr S4BUF     = 0x85;  /* UART 4: buffer */
sfr AUXR      = 0x8E;  /* T0x12 T1x12 UART_M0x6 T2R T2_C/T T2x12 EXTRAM S1ST2 */
#define T0x12      0x80
#define T1x12      0x40
#define UART_M0x6  0x20
#define T2R        0x10
#define T2_CT      0x08
#define T2x12      0x04
#define EXTRAM     0x02
#define S1ST2      0x01
sfr INTCLKO   = 0x8F;  /* EX4 EX3 EX2 - T2CLKO T1CLKO T0CLKO */
#define EX4        0x40
#define EX3        0x20
#define EX2        0x10
#define T2CLKO     0x04
#define T1CLKO     0x02
#define T0CLKO     0x01
sfr P1M1      = 0x91;  /* port modes: PxM1/PxM0 = 00 quasi-bidirectional, */
sfr P1M0      = 0x92;  /* 01 push-pull, 10 input only, 11 open drain */
sfr P0M1      = 0x93;
sfr P0M0      = 0x94;
sfr P2M1      = 0x95;
sfr P2M0      = 0x96;
sfr S2CON     = 0x9A;  /* UART 2: control */
#define S2SM0      0x80
#define S2ST4      0x40
#define S2SM2      0x20
#define S2REN      0x10
#define S2TB8      0x08
#define S2RB8      0x04
#define S2TI       0x02
#define S2RI       0x01
sfr S2BUF     = 0x9B;  /* UART 2: buffer */
sfr IRTRIM    = 0x9F;
sfr P_SW1     = 0xA2;  /* peripheral pin switch 1 */
sfr SADDR     = 0xA9;  /* serial slave address */
sfr WKTCL     = 0xAA;  /* power-down wake-up timer */
sfr WKTCH     = 0xAB;
#define WKTEN      0x80
sfr S3CON     = 0xAC;  /* UART 3: control */
#define S3SM0      0x80
#define S3ST3      0x40
#define S3ST4      0x40
#define S3SM2      0x20
#define S3REN      0x10
#define S3TB8      0x08
#define S3RB8      0x04
#define S3TI       0x02
#define S3RI       0x01
sfr S3BUF     = 0xAD;  /* UART 3: buffer */
sfr TA        = 0xAE;  /* DPTR timing access */
sfr IE2       = 0xAF;  /* interrupt enable 2 */
#define ET4        0x40
#define ET3        0x20
#define ES4        0x10
#define ES3        0x08
#define ET2        0x04
#define ESPI       0x02
#define ES2        0x01
sfr P3M1      = 0xB1;
sfr P3M0      = 0xB2;
sfr P4M1      = 0xB3;
sfr P4M0      = 0xB4;
sfr IP2       = 0xB5;  /* interrupt priority 2 */
#define PI2C       0x40
#define PCMP       0x20
#define PX4        0x10
#define PPWMFD     0x08
#define PPWM       0x04
#define PSPI       0x02
#define PS2        0x01
sfr IP2H      = 0xB6;
#define PI2CH      0x40
#define PCMPH      0x20
#define PX4H       0x10
#define PPWMFDH    0x08
#define PPWMH      0x04
#define PSPIH      0x02
#define PS2H       0x01
sfr IPH       = 0xB7;
#define PPCAH      0x80
#define PLVDH      0x40
#define PADCH      0x20
#define PSH        0x10
#define PT1H       0x08
#define PX1H       0x04
#define PT0H       0x02
#define PX0H       0x01
sfr SADEN     = 0xB9;  /* serial slave address mask */
sfr P_SW2     = 0xBA;  /* pin switch 2; bit 7 (EAXFR): XDATA registers */
#define EAXFR      0x80
sfr VOCTRL    = 0xBB;  /* voltage control */
sfr ADC_CONTR = 0xBC;  /* ADC_POWER ADC_START ADC_FLAG ADC_EPWMT CHS3..CHS0 */
#define ADC_POWER  0x80
#define ADC_START  0x40
#define ADC_FLAG   0x20
#define ADC_EPWMT  0x10
sfr ADC_RES   = 0xBD;  /* ADC result, high part */
sfr ADC_RESL  = 0xBE;  /* ADC result, low part */
sfr P4        = 0xC0;  /* port 4 */
sfr WDT_CONTR = 0xC1;  /* watchdog */
#define WDT_FLAG   0x80
#define EN_WDT     0x20
#define CLR_WDT    0x10
#define IDL_WDT    0x08
sfr IAP_DATA  = 0xC2;  /* flash/EEPROM programming */
sfr IAP_ADDRH = 0xC3;
sfr IAP_ADDRL = 0xC4;
sfr IAP_CMD   = 0xC5;
sfr IAP_TRIG  = 0xC6;
sfr IAP_CONTR = 0xC7;
#define IAPEN      0x80
#define SWBS       0x40
#define SWRST      0x20
#define CMD_FAIL   0x10
sfr P5        = 0xC8;  /* port 5 */
sfr P5M1      = 0xC9;
sfr P5M0      = 0xCA;
sfr P6M1      = 0xCB;  /* ports 6 and 7 (64-pin parts) */
sfr P6M0      = 0xCC;
sfr SPSTAT    = 0xCD;  /* SPI status */
#define SPIF       0x80
#define WCOL       0x40
sfr SPCTL     = 0xCE;  /* SPI control */
#define SSIG       0x80
#define SPEN       0x40
#define DORD       0x20
#define MSTR       0x10
#define CPOL       0x08
#define CPHA       0x04
#define SPR1       0x02
#define SPR0       0x01
sfr SPDAT     = 0xCF;  /* SPI data */
sfr T4T3M     = 0xD1;  /* timers 3 and 4: mode */
#define T4R        0x80
#define T4_CT      0x40
#define T4x12      0x20
#define T4CLKO     0x10
#define T3R        0x08
#define T3_CT      0x04
#define T3x12      0x02
#define T3CLKO     0x01
sfr T4H       = 0xD2;  /* timer 4 */
sfr T4L       = 0xD3;
sfr T3H       = 0xD4;  /* timer 3 */
sfr T3L       = 0xD5;
sfr T2H       = 0xD6;  /* timer 2 */
sfr T2L       = 0xD7;
sfr CCON      = 0xD8;  /* PCA control */
sfr CMOD      = 0xD9;  /* PCA mode */
#define CIDL       0x80
#define ECF        0x01
sfr CCAPM0    = 0xDA;  /* PCA module modes */
#define ECOM0      0x40
#define CCAPP0     0x20
#define CCAPN0     0x10
#define MAT0       0x08
#define TOG0       0x04
#define PWM0       0x02
#define ECCF0      0x01
sfr CCAPM1    = 0xDB;
#define ECOM1      0x40
#define CCAPP1     0x20
#define CCAPN1     0x10
#define MAT1       0x08
#define TOG1       0x04
#define PWM1       0x02
#define ECCF1      0x01
sfr CCAPM2    = 0xDC;
#define ECOM2      0x40
#define CCAPP2     0x20
#define CCAPN2     0x10
#define MAT2       0x08
#define TOG2       0x04
#define PWM2       0x02
#define ECCF2      0x01
sfr ADCCFG    = 0xDE;  /* ADC result format and speed */
#define ADC_RESFMT 0x20
sfr DPS       = 0xE3;  /* data pointer select */
sfr DPL1      = 0xE4;  /* second data pointer */
sfr DPH1      = 0xE5;
sfr CMPCR1    = 0xE6;  /* comparator control */
#define CMPEN      0x80
#define CMPIF      0x40
#define PIE        0x20
#define NIE        0x10
#define PIS        0x08
#define NIS        0x04
#define CMPOE      0x02
#define CMPRES     0x01
sfr CMPCR2    = 0xE7;
#define INVCMPO    0x80
#define DISFLT     0x40
sfr CL        = 0xE9;  /* PCA counter */
sfr CCAP0L    = 0xEA;  /* PCA module capture/compare */
sfr CCAP1L    = 0xEB;
sfr CCAP2L    = 0xEC;
sfr AUXINTIF  = 0xEF;  /* timer 2 to 4 and external interrupt 2 to 4 flags */
#define INT4IF     0x40
#define INT3IF     0x20
#define INT2IF     0x10
#define T4IF       0x04
#define T3IF       0x02
#define T2IF       0x01
sfr PCA_PWM0  = 0xF2;  /* PCA module PWM */
sfr PCA_PWM1  = 0xF3;
sfr PCA_PWM2  = 0xF4;
sfr IAP_TPS   = 0xF5;  /* flash programming clock prescaler (later revisions) */
sfr CH        = 0xF9;
sfr CCAP0H    = 0xFA;
sfr CCAP1H    = 0xFB;
sfr CCAP2H    = 0xFC;
sfr RSTCFG    = 0xFF;  /* reset configuration */
#define ENLVR      0x40
#define P54RST     0x10

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
