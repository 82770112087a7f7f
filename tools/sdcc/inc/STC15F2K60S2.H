/* STC15F2K60S2.H: the STC15 series (STC15F2K60S2, IAP15F2K61S2 and the
   parts with more UARTs, timers and ports, such as the STC15W4K, whose
   enhanced PWM STC15W4K32S4.H adds): the 8051 core (REG51.H) plus the
   series' own registers and bits; a part without a peripheral has no use
   for its names. The addresses are the STC15 series data sheet's special
   function register table ("Special Function Registers"). */

#ifndef C51_STC15F2K60S2_H
#define C51_STC15F2K60S2_H

#include "REG51.H"

sfr S4CON     = 0x84;  /* UART 4: control */
sfr S4BUF     = 0x85;  /* UART 4: buffer */
sfr AUXR      = 0x8E;  /* T0x12 T1x12 UART_M0x6 T2R T2_C/T T2x12 EXTRAM S1ST2 */
sfr INT_CLKO  = 0x8F;  /* EX4 EX3 EX2 - T2CLKO T1CLKO T0CLKO */
sfr WAKE_CLKO = 0x8F;  /* the same register under its older names */
sfr AUXR2     = 0x8F;
sfr P1M1      = 0x91;  /* port modes: PxM1/PxM0 = 00 quasi-bidirectional, */
sfr P1M0      = 0x92;  /* 01 push-pull, 10 input only, 11 open drain */
sfr P0M1      = 0x93;
sfr P0M0      = 0x94;
sfr P2M1      = 0x95;
sfr P2M0      = 0x96;
sfr CLK_DIV   = 0x97;  /* clock divider and output */
sfr PCON2     = 0x97;
sfr S2CON     = 0x9A;  /* UART 2: control */
sfr S2BUF     = 0x9B;  /* UART 2: buffer */
sfr P1ASF     = 0x9D;  /* P1 pins used as ADC inputs */
sfr BUS_SPEED = 0xA1;  /* external bus timing */
sfr AUXR1     = 0xA2;  /* peripheral pin switch 1 */
sfr P_SW1     = 0xA2;
sfr SADDR     = 0xA9;  /* serial slave address */
sfr WKTCL     = 0xAA;  /* power-down wake-up timer */
sfr WKTCH     = 0xAB;
sfr S3CON     = 0xAC;  /* UART 3: control */
sfr S3BUF     = 0xAD;  /* UART 3: buffer */
sfr IE2       = 0xAF;  /* interrupt enable 2: ET4 ET3 ES4 ES3 ET2 ESPI ES2 */
sfr P3M1      = 0xB1;
sfr P3M0      = 0xB2;
sfr P4M1      = 0xB3;
sfr P4M0      = 0xB4;
sfr IP2       = 0xB5;  /* interrupt priority 2 */
sfr IPH2      = 0xB6;  /* interrupt priority 2, high bits */
sfr IPH       = 0xB7;  /* interrupt priority, high bits */
sfr SADEN     = 0xB9;  /* serial slave address mask */
sfr P_SW2     = 0xBA;  /* peripheral pin switch 2 */
sfr ADC_CONTR = 0xBC;  /* ADC_POWER SPEED1 SPEED0 ADC_FLAG ADC_START CHS2..CHS0 */
sfr ADC_RES   = 0xBD;  /* ADC result, high bits */
sfr ADC_RESL  = 0xBE;  /* ADC result, low bits */
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
sfr P6M1      = 0xCB;
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
sfr P7M1      = 0xE1;
sfr P7M0      = 0xE2;
sfr CMPCR1    = 0xE6;  /* comparator control */
sfr CMPCR2    = 0xE7;
sfr P6        = 0xE8;  /* port 6 */
sfr CL        = 0xE9;  /* PCA counter */
sfr CCAP0L    = 0xEA;  /* PCA module capture/compare */
sfr CCAP1L    = 0xEB;
sfr CCAP2L    = 0xEC;
sfr PCA_PWM0  = 0xF2;  /* PCA module PWM */
sfr PCA_PWM1  = 0xF3;
sfr PCA_PWM2  = 0xF4;
sfr P7        = 0xF8;  /* port 7 */
sfr CH        = 0xF9;
sfr CCAP0H    = 0xFA;
sfr CCAP1H    = 0xFB;
sfr CCAP2H    = 0xFC;

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
sbit P60 = P6^0; sbit P61 = P6^1; sbit P62 = P6^2; sbit P63 = P6^3;
sbit P64 = P6^4; sbit P65 = P6^5; sbit P66 = P6^6; sbit P67 = P6^7;
sbit P70 = P7^0; sbit P71 = P7^1; sbit P72 = P7^2; sbit P73 = P7^3;
sbit P74 = P7^4; sbit P75 = P7^5; sbit P76 = P7^6; sbit P77 = P7^7;

#endif
