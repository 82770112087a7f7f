/* STC8H.H: the STC8H series (STC8H1K, STC8H3K, STC8H8K64U, STC8H4K64T...,
   1-clock 8051s with the 16-bit advanced PWMs PWMA and PWMB): the 8051 core
   (REG51.H), the series' SFRs and bits, and the registers it keeps in XDATA
   at 0xFCxx to 0xFExx. The addresses are the STC8H series data sheet's
   register tables ("Special Function Registers" and "Extended Special
   Function Registers in XDATA"); a part without a peripheral has no use for
   its names.

   The XDATA registers answer only while P_SW2 bit 7 (EAXFR) is set. The
   PWMs' 16-bit registers are named by halves (PWMA_CCR1H, PWMA_CCR1L): the
   high byte sits at the lower address, where sdcc would put an int's low
   byte, so there are no 16-bit names that would swap them.

   After each register that is not bit addressable come macros for its
   bits, named as the chip maker's own headers name them, so that
   "P_SW2 |= EAXFR;" and "if (S2CON & S2TI)" compile; the values are
   the data sheet's bit tables. Pin-switch fields and the IAP commands,
   which are numbers rather than bits, are left to the program.

   Bits renamed in later data sheets keep both names: AUXR's
   UART_M0x6/S1M0x6 and S1ST2/S1BRT. */

#ifndef C51_STC8H_H
#define C51_STC8H_H

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
#define S1M0x6     0x20
#define T2R        0x10
#define T2_CT      0x08
#define T2x12      0x04
#define EXTRAM     0x02
#define S1ST2      0x01
#define S1BRT      0x01
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
#define S2SM1      0x40
#define S2SM2      0x20
#define S2REN      0x10
#define S2TB8      0x08
#define S2RB8      0x04
#define S2TI       0x02
#define S2RI       0x01
sfr S2BUF     = 0x9B;  /* UART 2: buffer */
sfr IRCBAND   = 0x9D;  /* internal oscillator band */
sfr LIRTRIM   = 0x9E;  /* internal oscillator trim */
sfr IRTRIM    = 0x9F;
sfr P_SW1     = 0xA2;  /* peripheral pin switch 1 */
sfr SADDR     = 0xA9;  /* serial slave address */
sfr WKTCL     = 0xAA;  /* power-down wake-up timer */
sfr WKTCH     = 0xAB;
#define WKTEN      0x80
sfr S3CON     = 0xAC;  /* UART 3: control */
#define S3SM0      0x80
#define S3ST3      0x40
#define S3SM2      0x20
#define S3REN      0x10
#define S3TB8      0x08
#define S3RB8      0x04
#define S3TI       0x02
#define S3RI       0x01
sfr S3BUF     = 0xAD;  /* UART 3: buffer */
sfr TA        = 0xAE;  /* DPTR timing access */
sfr IE2       = 0xAF;  /* interrupt enable 2 */
#define EUSB       0x80
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
#define PUSB       0x80
#define PI2C       0x40
#define PCMP       0x20
#define PX4        0x10
#define PPWMB      0x08
#define PPWMA      0x04
#define PSPI       0x02
#define PS2        0x01
sfr IP2H      = 0xB6;
#define PUSBH      0x80
#define PI2CH      0x40
#define PCMPH      0x20
#define PX4H       0x10
#define PPWMBH     0x08
#define PPWMAH     0x04
#define PSPIH      0x02
#define PS2H       0x01
sfr IPH       = 0xB7;
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
sfr P6M1      = 0xCB;
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
sfr USBCLK    = 0xDC;  /* USB clock */
sfr ADCCFG    = 0xDE;  /* ADC result format and speed */
#define RESFMT     0x20
sfr IP3       = 0xDF;  /* interrupt priority 3 */
#define PRTC       0x04
#define PS4        0x02
#define PS3        0x01
sfr P7M1      = 0xE1;
sfr P7M0      = 0xE2;
sfr DPS       = 0xE3;  /* data pointer select */
sfr DPL1      = 0xE4;  /* second data pointer */
sfr DPH1      = 0xE5;
sfr CMPCR1    = 0xE6;  /* comparator control */
#define CMPEN      0x80
#define CMPIF      0x40
#define PIE        0x20
#define NIE        0x10
#define CMPOE      0x02
#define CMPRES     0x01
sfr CMPCR2    = 0xE7;
#define INVCMPO    0x80
#define DISFLT     0x40
sfr P6        = 0xE8;  /* port 6 */
sfr USBDAT    = 0xEC;  /* USB data */
sfr IP3H      = 0xEE;
#define PRTCH      0x04
#define PS4H       0x02
#define PS3H       0x01
sfr AUXINTIF  = 0xEF;  /* timer 2 to 4 and external interrupt 2 to 4 flags */
#define INT4IF     0x40
#define INT3IF     0x20
#define INT2IF     0x10
#define T4IF       0x04
#define T3IF       0x02
#define T2IF       0x01
sfr USBCON    = 0xF4;  /* USB control */
#define ENUSB      0x80
#define ENUSBRST   0x40
#define PS2M       0x20
#define PUEN       0x10
#define PDEN       0x08
#define DFREC      0x04
#define DP         0x02
#define DM         0x01
sfr IAP_TPS   = 0xF5;  /* flash programming clock prescaler */
sfr P7        = 0xF8;  /* port 7 */
sfr USBADR    = 0xFC;  /* USB address */
sfr RSTCFG    = 0xFF;  /* reset configuration */
#define ENLVR      0x40
#define P54RST     0x10

/* IE and IP: the bits the 8051 core leaves free */
sbit EADC = IE^5;
sbit ELVD = IE^6;
sbit PADC = IP^5;
sbit PLVD = IP^6;
sbit PPCA = IP^7;

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

/* XDATA: clocks */
#define CLKSEL      (*(unsigned char volatile xdata *)0xFE00)  /* main clock select */
#define CKSEL       (*(unsigned char volatile xdata *)0xFE00)  /* the same register, older name */
#define CLKDIV      (*(unsigned char volatile xdata *)0xFE01)  /* main clock divider */
#define HIRCCR      (*(unsigned char volatile xdata *)0xFE02)  /* internal high-speed oscillator */
#define XOSCCR      (*(unsigned char volatile xdata *)0xFE03)  /* external oscillator */
#define IRC32KCR    (*(unsigned char volatile xdata *)0xFE04)  /* internal 32 kHz oscillator */
#define MCLKOCR     (*(unsigned char volatile xdata *)0xFE05)  /* main clock output */
#define IRCDB       (*(unsigned char volatile xdata *)0xFE06)  /* internal oscillator debounce */
#define X32KCR      (*(unsigned char volatile xdata *)0xFE08)  /* external 32 kHz oscillator */

/* XDATA: port configuration */
#define P0PU        (*(unsigned char volatile xdata *)0xFE10)  /* pull-up resistors */
#define P1PU        (*(unsigned char volatile xdata *)0xFE11)
#define P2PU        (*(unsigned char volatile xdata *)0xFE12)
#define P3PU        (*(unsigned char volatile xdata *)0xFE13)
#define P4PU        (*(unsigned char volatile xdata *)0xFE14)
#define P5PU        (*(unsigned char volatile xdata *)0xFE15)
#define P6PU        (*(unsigned char volatile xdata *)0xFE16)
#define P7PU        (*(unsigned char volatile xdata *)0xFE17)
#define P0NCS       (*(unsigned char volatile xdata *)0xFE18)  /* Schmitt trigger off */
#define P1NCS       (*(unsigned char volatile xdata *)0xFE19)
#define P2NCS       (*(unsigned char volatile xdata *)0xFE1A)
#define P3NCS       (*(unsigned char volatile xdata *)0xFE1B)
#define P4NCS       (*(unsigned char volatile xdata *)0xFE1C)
#define P5NCS       (*(unsigned char volatile xdata *)0xFE1D)
#define P6NCS       (*(unsigned char volatile xdata *)0xFE1E)
#define P7NCS       (*(unsigned char volatile xdata *)0xFE1F)
#define P0SR        (*(unsigned char volatile xdata *)0xFE20)  /* slew rate */
#define P1SR        (*(unsigned char volatile xdata *)0xFE21)
#define P2SR        (*(unsigned char volatile xdata *)0xFE22)
#define P3SR        (*(unsigned char volatile xdata *)0xFE23)
#define P4SR        (*(unsigned char volatile xdata *)0xFE24)
#define P5SR        (*(unsigned char volatile xdata *)0xFE25)
#define P6SR        (*(unsigned char volatile xdata *)0xFE26)
#define P7SR        (*(unsigned char volatile xdata *)0xFE27)
#define P0DR        (*(unsigned char volatile xdata *)0xFE28)  /* drive strength */
#define P1DR        (*(unsigned char volatile xdata *)0xFE29)
#define P2DR        (*(unsigned char volatile xdata *)0xFE2A)
#define P3DR        (*(unsigned char volatile xdata *)0xFE2B)
#define P4DR        (*(unsigned char volatile xdata *)0xFE2C)
#define P5DR        (*(unsigned char volatile xdata *)0xFE2D)
#define P6DR        (*(unsigned char volatile xdata *)0xFE2E)
#define P7DR        (*(unsigned char volatile xdata *)0xFE2F)
#define P0IE        (*(unsigned char volatile xdata *)0xFE30)  /* digital input enable */
#define P1IE        (*(unsigned char volatile xdata *)0xFE31)
#define P2IE        (*(unsigned char volatile xdata *)0xFE32)
#define P3IE        (*(unsigned char volatile xdata *)0xFE33)
#define P4IE        (*(unsigned char volatile xdata *)0xFE34)
#define P5IE        (*(unsigned char volatile xdata *)0xFE35)
#define P6IE        (*(unsigned char volatile xdata *)0xFE36)
#define P7IE        (*(unsigned char volatile xdata *)0xFE37)

/* XDATA: real-time clock */
#define RTCCR       (*(unsigned char volatile xdata *)0xFE60)
#define RTCCFG      (*(unsigned char volatile xdata *)0xFE61)
#define RTCIEN      (*(unsigned char volatile xdata *)0xFE62)
#define RTCIF       (*(unsigned char volatile xdata *)0xFE63)
#define ALAHOUR     (*(unsigned char volatile xdata *)0xFE64)
#define ALAMIN      (*(unsigned char volatile xdata *)0xFE65)
#define ALASEC      (*(unsigned char volatile xdata *)0xFE66)
#define ALASSEC     (*(unsigned char volatile xdata *)0xFE67)
#define INIYEAR     (*(unsigned char volatile xdata *)0xFE68)
#define INIMONTH    (*(unsigned char volatile xdata *)0xFE69)
#define INIDAY      (*(unsigned char volatile xdata *)0xFE6A)
#define INIHOUR     (*(unsigned char volatile xdata *)0xFE6B)
#define INIMIN      (*(unsigned char volatile xdata *)0xFE6C)
#define INISEC      (*(unsigned char volatile xdata *)0xFE6D)
#define INISSEC     (*(unsigned char volatile xdata *)0xFE6E)
#define YEAR        (*(unsigned char volatile xdata *)0xFE70)
#define MONTH       (*(unsigned char volatile xdata *)0xFE71)
#define DAY         (*(unsigned char volatile xdata *)0xFE72)
#define HOUR        (*(unsigned char volatile xdata *)0xFE73)
#define MIN         (*(unsigned char volatile xdata *)0xFE74)
#define SEC         (*(unsigned char volatile xdata *)0xFE75)
#define SSEC        (*(unsigned char volatile xdata *)0xFE76)

/* XDATA: I2C, timer prescalers, ADC timing */
#define I2CCFG      (*(unsigned char volatile xdata *)0xFE80)  /* I2C configuration */
#define I2CMSCR     (*(unsigned char volatile xdata *)0xFE81)  /* I2C master control */
#define I2CMSST     (*(unsigned char volatile xdata *)0xFE82)  /* I2C master status */
#define I2CSLCR     (*(unsigned char volatile xdata *)0xFE83)  /* I2C slave control */
#define I2CSLST     (*(unsigned char volatile xdata *)0xFE84)  /* I2C slave status */
#define I2CSLADR    (*(unsigned char volatile xdata *)0xFE85)  /* I2C slave address */
#define I2CTXD      (*(unsigned char volatile xdata *)0xFE86)  /* I2C transmit data */
#define I2CRXD      (*(unsigned char volatile xdata *)0xFE87)  /* I2C receive data */
#define I2CMSAUX    (*(unsigned char volatile xdata *)0xFE88)  /* I2C master auxiliary */
#define TM2PS       (*(unsigned char volatile xdata *)0xFEA2)  /* timer 2 to 4 prescalers */
#define TM3PS       (*(unsigned char volatile xdata *)0xFEA3)
#define TM4PS       (*(unsigned char volatile xdata *)0xFEA4)
#define ADCTIM      (*(unsigned char volatile xdata *)0xFEA8)  /* ADC timing */
#define T3T4PIN     (*(unsigned char volatile xdata *)0xFEAC)  /* timer 3 and 4 pin select */

/* XDATA: advanced PWM A (channels 1 to 4) and B (channels 5 to 8) */
#define PWMA_ETRPS  (*(unsigned char volatile xdata *)0xFEB0)
#define PWMA_ENO    (*(unsigned char volatile xdata *)0xFEB1)
#define PWMA_PS     (*(unsigned char volatile xdata *)0xFEB2)
#define PWMA_IOAUX  (*(unsigned char volatile xdata *)0xFEB3)
#define PWMB_ETRPS  (*(unsigned char volatile xdata *)0xFEB4)
#define PWMB_ENO    (*(unsigned char volatile xdata *)0xFEB5)
#define PWMB_PS     (*(unsigned char volatile xdata *)0xFEB6)
#define PWMB_IOAUX  (*(unsigned char volatile xdata *)0xFEB7)
#define PWMA_CR1    (*(unsigned char volatile xdata *)0xFEC0)
#define PWMA_CR2    (*(unsigned char volatile xdata *)0xFEC1)
#define PWMA_SMCR   (*(unsigned char volatile xdata *)0xFEC2)
#define PWMA_ETR    (*(unsigned char volatile xdata *)0xFEC3)
#define PWMA_IER    (*(unsigned char volatile xdata *)0xFEC4)
#define PWMA_SR1    (*(unsigned char volatile xdata *)0xFEC5)
#define PWMA_SR2    (*(unsigned char volatile xdata *)0xFEC6)
#define PWMA_EGR    (*(unsigned char volatile xdata *)0xFEC7)
#define PWMA_CCMR1  (*(unsigned char volatile xdata *)0xFEC8)
#define PWMA_CCMR2  (*(unsigned char volatile xdata *)0xFEC9)
#define PWMA_CCMR3  (*(unsigned char volatile xdata *)0xFECA)
#define PWMA_CCMR4  (*(unsigned char volatile xdata *)0xFECB)
#define PWMA_CCER1  (*(unsigned char volatile xdata *)0xFECC)
#define PWMA_CCER2  (*(unsigned char volatile xdata *)0xFECD)
#define PWMA_CNTRH  (*(unsigned char volatile xdata *)0xFECE)
#define PWMA_CNTRL  (*(unsigned char volatile xdata *)0xFECF)
#define PWMA_PSCRH  (*(unsigned char volatile xdata *)0xFED0)
#define PWMA_PSCRL  (*(unsigned char volatile xdata *)0xFED1)
#define PWMA_ARRH   (*(unsigned char volatile xdata *)0xFED2)
#define PWMA_ARRL   (*(unsigned char volatile xdata *)0xFED3)
#define PWMA_RCR    (*(unsigned char volatile xdata *)0xFED4)
#define PWMA_CCR1H  (*(unsigned char volatile xdata *)0xFED5)
#define PWMA_CCR1L  (*(unsigned char volatile xdata *)0xFED6)
#define PWMA_CCR2H  (*(unsigned char volatile xdata *)0xFED7)
#define PWMA_CCR2L  (*(unsigned char volatile xdata *)0xFED8)
#define PWMA_CCR3H  (*(unsigned char volatile xdata *)0xFED9)
#define PWMA_CCR3L  (*(unsigned char volatile xdata *)0xFEDA)
#define PWMA_CCR4H  (*(unsigned char volatile xdata *)0xFEDB)
#define PWMA_CCR4L  (*(unsigned char volatile xdata *)0xFEDC)
#define PWMA_BKR    (*(unsigned char volatile xdata *)0xFEDD)
#define PWMA_DTR    (*(unsigned char volatile xdata *)0xFEDE)
#define PWMA_OISR   (*(unsigned char volatile xdata *)0xFEDF)
#define PWMB_CR1    (*(unsigned char volatile xdata *)0xFEE0)
#define PWMB_CR2    (*(unsigned char volatile xdata *)0xFEE1)
#define PWMB_SMCR   (*(unsigned char volatile xdata *)0xFEE2)
#define PWMB_ETR    (*(unsigned char volatile xdata *)0xFEE3)
#define PWMB_IER    (*(unsigned char volatile xdata *)0xFEE4)
#define PWMB_SR1    (*(unsigned char volatile xdata *)0xFEE5)
#define PWMB_SR2    (*(unsigned char volatile xdata *)0xFEE6)
#define PWMB_EGR    (*(unsigned char volatile xdata *)0xFEE7)
#define PWMB_CCMR1  (*(unsigned char volatile xdata *)0xFEE8)
#define PWMB_CCMR2  (*(unsigned char volatile xdata *)0xFEE9)
#define PWMB_CCMR3  (*(unsigned char volatile xdata *)0xFEEA)
#define PWMB_CCMR4  (*(unsigned char volatile xdata *)0xFEEB)
#define PWMB_CCER1  (*(unsigned char volatile xdata *)0xFEEC)
#define PWMB_CCER2  (*(unsigned char volatile xdata *)0xFEED)
#define PWMB_CNTRH  (*(unsigned char volatile xdata *)0xFEEE)
#define PWMB_CNTRL  (*(unsigned char volatile xdata *)0xFEEF)
#define PWMB_PSCRH  (*(unsigned char volatile xdata *)0xFEF0)
#define PWMB_PSCRL  (*(unsigned char volatile xdata *)0xFEF1)
#define PWMB_ARRH   (*(unsigned char volatile xdata *)0xFEF2)
#define PWMB_ARRL   (*(unsigned char volatile xdata *)0xFEF3)
#define PWMB_RCR    (*(unsigned char volatile xdata *)0xFEF4)
#define PWMB_CCR5H  (*(unsigned char volatile xdata *)0xFEF5)
#define PWMB_CCR5L  (*(unsigned char volatile xdata *)0xFEF6)
#define PWMB_CCR6H  (*(unsigned char volatile xdata *)0xFEF7)
#define PWMB_CCR6L  (*(unsigned char volatile xdata *)0xFEF8)
#define PWMB_CCR7H  (*(unsigned char volatile xdata *)0xFEF9)
#define PWMB_CCR7L  (*(unsigned char volatile xdata *)0xFEFA)
#define PWMB_CCR8H  (*(unsigned char volatile xdata *)0xFEFB)
#define PWMB_CCR8L  (*(unsigned char volatile xdata *)0xFEFC)
#define PWMB_BKR    (*(unsigned char volatile xdata *)0xFEFD)
#define PWMB_DTR    (*(unsigned char volatile xdata *)0xFEFE)
#define PWMB_OISR   (*(unsigned char volatile xdata *)0xFEFF)

/* XDATA: port interrupts */
#define P0INTE      (*(unsigned char volatile xdata *)0xFD00)
#define P1INTE      (*(unsigned char volatile xdata *)0xFD01)
#define P2INTE      (*(unsigned char volatile xdata *)0xFD02)
#define P3INTE      (*(unsigned char volatile xdata *)0xFD03)
#define P4INTE      (*(unsigned char volatile xdata *)0xFD04)
#define P5INTE      (*(unsigned char volatile xdata *)0xFD05)
#define P6INTE      (*(unsigned char volatile xdata *)0xFD06)
#define P7INTE      (*(unsigned char volatile xdata *)0xFD07)
#define P0INTF      (*(unsigned char volatile xdata *)0xFD10)
#define P1INTF      (*(unsigned char volatile xdata *)0xFD11)
#define P2INTF      (*(unsigned char volatile xdata *)0xFD12)
#define P3INTF      (*(unsigned char volatile xdata *)0xFD13)
#define P4INTF      (*(unsigned char volatile xdata *)0xFD14)
#define P5INTF      (*(unsigned char volatile xdata *)0xFD15)
#define P6INTF      (*(unsigned char volatile xdata *)0xFD16)
#define P7INTF      (*(unsigned char volatile xdata *)0xFD17)
#define P0IM0       (*(unsigned char volatile xdata *)0xFD20)
#define P1IM0       (*(unsigned char volatile xdata *)0xFD21)
#define P2IM0       (*(unsigned char volatile xdata *)0xFD22)
#define P3IM0       (*(unsigned char volatile xdata *)0xFD23)
#define P4IM0       (*(unsigned char volatile xdata *)0xFD24)
#define P5IM0       (*(unsigned char volatile xdata *)0xFD25)
#define P6IM0       (*(unsigned char volatile xdata *)0xFD26)
#define P7IM0       (*(unsigned char volatile xdata *)0xFD27)
#define P0IM1       (*(unsigned char volatile xdata *)0xFD30)
#define P1IM1       (*(unsigned char volatile xdata *)0xFD31)
#define P2IM1       (*(unsigned char volatile xdata *)0xFD32)
#define P3IM1       (*(unsigned char volatile xdata *)0xFD33)
#define P4IM1       (*(unsigned char volatile xdata *)0xFD34)
#define P5IM1       (*(unsigned char volatile xdata *)0xFD35)
#define P6IM1       (*(unsigned char volatile xdata *)0xFD36)
#define P7IM1       (*(unsigned char volatile xdata *)0xFD37)
#define P0WKUE      (*(unsigned char volatile xdata *)0xFD40)
#define P1WKUE      (*(unsigned char volatile xdata *)0xFD41)
#define P2WKUE      (*(unsigned char volatile xdata *)0xFD42)
#define P3WKUE      (*(unsigned char volatile xdata *)0xFD43)
#define P4WKUE      (*(unsigned char volatile xdata *)0xFD44)
#define P5WKUE      (*(unsigned char volatile xdata *)0xFD45)
#define P6WKUE      (*(unsigned char volatile xdata *)0xFD46)
#define P7WKUE      (*(unsigned char volatile xdata *)0xFD47)
#define PIN_IP      (*(unsigned char volatile xdata *)0xFD60)  /* port interrupt priority */
#define PIN_IPH     (*(unsigned char volatile xdata *)0xFD61)

/* XDATA: multiply/divide unit */
#define MD3         (*(unsigned char volatile xdata *)0xFCF0)
#define MD2         (*(unsigned char volatile xdata *)0xFCF1)
#define MD1         (*(unsigned char volatile xdata *)0xFCF2)
#define MD0         (*(unsigned char volatile xdata *)0xFCF3)
#define MD5         (*(unsigned char volatile xdata *)0xFCF4)
#define MD4         (*(unsigned char volatile xdata *)0xFCF5)
#define ARCON       (*(unsigned char volatile xdata *)0xFCF6)
#define OPCON       (*(unsigned char volatile xdata *)0xFCF7)

#endif
