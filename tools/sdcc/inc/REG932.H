/* REG932.H: the P89LPC932A1 (and the P89LPC932 before it), NXP's two-clock
   80C51 with 8 KB of flash, 512 bytes of auxiliary RAM and of data EEPROM.
   Its map is the 8051's core without the classic P3 (two pins are left) and
   with IE and IP under the data sheet's names IEN0 and IP0, plus the part's
   own port modes, clock divider, RTC, watchdog, baud rate generator, I2C,
   SPI, keyboard interrupt, comparators, capture/compare unit (timer 2),
   flash and EEPROM registers. The addresses are the P89LPC932A1 data
   sheet's special function register table. */

#ifndef C51_REG932_H
#define C51_REG932_H

/* The 8051 core */
sfr P0     = 0x80;  /* port 0 */
sfr SP     = 0x81;  /* stack pointer */
sfr DPL    = 0x82;  /* data pointer, low byte */
sfr DPH    = 0x83;  /* data pointer, high byte */
sfr PCON   = 0x87;  /* power control */
sfr TCON   = 0x88;  /* timer 0 and 1 control */
sfr TMOD   = 0x89;  /* timer 0 and 1 mode */
sfr TL0    = 0x8A;  /* timer 0, low byte */
sfr TL1    = 0x8B;  /* timer 1, low byte */
sfr TH0    = 0x8C;  /* timer 0, high byte */
sfr TH1    = 0x8D;  /* timer 1, high byte */
sfr P1     = 0x90;  /* port 1 */
sfr SCON   = 0x98;  /* serial port control */
sfr SBUF   = 0x99;  /* serial port buffer */
sfr P2     = 0xA0;  /* port 2 */
sfr IEN0   = 0xA8;  /* interrupt enable 0 */
sfr IE     = 0xA8;  /* IEN0 by the 8051's name, as sources ported from it write */
sfr P3     = 0xB0;  /* port 3: P3.0 and P3.1 only */
sfr IP0    = 0xB8;  /* interrupt priority 0 */
sfr IP     = 0xB8;  /* IP0 by the 8051's name */
sfr PSW    = 0xD0;  /* program status word */
sfr ACC    = 0xE0;  /* accumulator */
sfr B      = 0xF0;  /* B register */

/* Port modes: PxM1/PxM2 = 00 quasi-bidirectional, 01 push-pull,
   10 input only, 11 open drain */
sfr P0M1   = 0x84;
sfr P0M2   = 0x85;
sfr P1M1   = 0x91;
sfr P1M2   = 0x92;
sfr P2M1   = 0xA4;
sfr P2M2   = 0xA5;
sfr P3M1   = 0xB1;
sfr P3M2   = 0xB2;
sfr PT0AD  = 0xF6;  /* port 0 digital input disable (the comparator pins) */

/* System: clock, power, reset, auxiliary functions */
sfr DIVM   = 0x95;  /* CPU clock divide-by-M */
sfr TRIM   = 0x96;  /* internal RC oscillator trim */
sfr AUXR1  = 0xA2;  /* CLKLP EBRR ENT1 ENT0 SRST 0 - DPS */
sfr PCONA  = 0xB5;  /* power control A: peripherals off */
sfr RSTSRC = 0xDF;  /* reset source */

/* Timers 0 and 1 */
sfr TAMOD  = 0x8F;  /* timer 0 and 1 auxiliary mode (PWM) */

/* Keyboard interrupt */
sfr KBMASK = 0x86;  /* pins that take part */
sfr KBPATN = 0x93;  /* pattern */
sfr KBCON  = 0x94;  /* control: PATN_SEL, KBIF */

/* Interrupt enables and priorities beyond the core's */
sfr IP0H   = 0xB7;  /* interrupt priority 0, high bits */
sfr IEN1   = 0xE8;  /* interrupt enable 1 */
sfr IP1H   = 0xF7;  /* interrupt priority 1, high bits */
sfr IP1    = 0xF8;  /* interrupt priority 1 */

/* Enhanced UART: automatic address recognition, status, baud rate generator */
sfr SADDR  = 0xA9;  /* slave address */
sfr SADEN  = 0xB9;  /* slave address mask */
sfr SSTAT  = 0xBA;  /* status */
sfr BRGCON = 0xBD;  /* baud rate generator control */
sfr BRGR0  = 0xBE;  /* baud rate generator rate, low byte */
sfr BRGR1  = 0xBF;  /* baud rate generator rate, high byte */

/* Analog comparators */
sfr CMP1   = 0xAC;
sfr CMP2   = 0xAD;

/* Watchdog */
sfr WDCON  = 0xA7;  /* control */
sfr WDL    = 0xC1;  /* load */
sfr WFEED1 = 0xC2;  /* feed sequence: 0xA5, then 0x5A */
sfr WFEED2 = 0xC3;

/* Real-time clock / system timer */
sfr RTCCON = 0xD1;  /* control */
sfr RTCH   = 0xD2;  /* reload, high byte */
sfr RTCL   = 0xD3;  /* reload, low byte */

/* I2C */
sfr I2CON  = 0xD8;  /* control */
sfr I2STAT = 0xD9;  /* status */
sfr I2DAT  = 0xDA;  /* data */
sfr I2ADR  = 0xDB;  /* own slave address */
sfr I2SCLL = 0xDC;  /* SCL duty cycle, low */
sfr I2SCLH = 0xDD;  /* SCL duty cycle, high */

/* SPI */
sfr SPSTAT = 0xE1;  /* status */
sfr SPCTL  = 0xE2;  /* control */
sfr SPDAT  = 0xE3;  /* data */

/* Flash programming in the application */
sfr FMCON  = 0xE4;  /* command (write) and status (read) */
sfr FMDATA = 0xE5;  /* data */
sfr FMADRL = 0xE6;  /* address, low byte */
sfr FMADRH = 0xE7;  /* address, high byte */

/* Data EEPROM */
sfr DEECON = 0xF1;  /* control: EEIF HVERR ECTL1 ECTL0 - - - EADR8 */
sfr DEEDAT = 0xF2;  /* data */
sfr DEEADR = 0xF3;  /* address, low byte: writing it starts the access */

/* Capture/compare unit: timer 2, input capture A and B, output compare A
   to D */
sfr TCR20  = 0xC8;  /* timer 2 control 0 */
sfr TICR2  = 0xC9;  /* interrupt control */
sfr TPCR2L = 0xCA;  /* prescaler, low byte */
sfr TPCR2H = 0xCB;  /* prescaler, high byte */
sfr TL2    = 0xCC;  /* timer 2, low byte */
sfr TH2    = 0xCD;  /* timer 2, high byte */
sfr TOR2L  = 0xCE;  /* reload, low byte */
sfr TOR2H  = 0xCF;  /* reload, high byte */
sfr TISE2  = 0xDE;  /* interrupt status encode */
sfr TIFR2  = 0xE9;  /* interrupt flags */
sfr ICRAL  = 0xAA;  /* input capture A */
sfr ICRAH  = 0xAB;
sfr ICRBL  = 0xAE;  /* input capture B */
sfr ICRBH  = 0xAF;
sfr CCCRA  = 0xEA;  /* compare/capture control A to D */
sfr CCCRB  = 0xEB;
sfr CCCRC  = 0xEC;
sfr CCCRD  = 0xED;
sfr OCRAL  = 0xEE;  /* output compare A to D */
sfr OCRAH  = 0xEF;
sfr TCR21  = 0xF9;  /* timer 2 control 1 (PLL) */
sfr OCRBL  = 0xFA;
sfr OCRBH  = 0xFB;
sfr OCRCL  = 0xFC;
sfr OCRCH  = 0xFD;
sfr OCRDL  = 0xFE;
sfr OCRDH  = 0xFF;

/* TCON */
sbit IT0   = TCON^0;
sbit IE0   = TCON^1;
sbit IT1   = TCON^2;
sbit IE1   = TCON^3;
sbit TR0   = TCON^4;
sbit TF0   = TCON^5;
sbit TR1   = TCON^6;
sbit TF1   = TCON^7;

/* SCON; bit 7 reads as the framing error flag when SMOD0 (PCON.6) is set */
sbit RI    = SCON^0;
sbit TI    = SCON^1;
sbit RB8   = SCON^2;
sbit TB8   = SCON^3;
sbit REN   = SCON^4;
sbit SM2   = SCON^5;
sbit SM1   = SCON^6;
sbit SM0   = SCON^7;
sbit FE    = SCON^7;

/* IEN0 */
sbit EX0   = IEN0^0;
sbit ET0   = IEN0^1;
sbit EX1   = IEN0^2;
sbit ET1   = IEN0^3;
sbit ES    = IEN0^4;  /* serial port; receive alone once EST is set */
sbit ESR   = IEN0^4;
sbit EBO   = IEN0^5;  /* brownout */
sbit EWDRT = IEN0^6;  /* watchdog timer and RTC */
sbit EA    = IEN0^7;

/* IP0 */
sbit PX0   = IP0^0;
sbit PT0   = IP0^1;
sbit PX1   = IP0^2;
sbit PT1   = IP0^3;
sbit PS    = IP0^4;
sbit PSR   = IP0^4;
sbit PBO   = IP0^5;
sbit PWDRT = IP0^6;

/* PSW */
sbit P     = PSW^0;
sbit F1    = PSW^1;
sbit OV    = PSW^2;
sbit RS0   = PSW^3;
sbit RS1   = PSW^4;
sbit F0    = PSW^5;
sbit AC    = PSW^6;
sbit CY    = PSW^7;

/* I2CON */
sbit CRSEL = I2CON^0;
sbit AA    = I2CON^2;
sbit SI    = I2CON^3;
sbit STO   = I2CON^4;
sbit STA   = I2CON^5;
sbit I2EN  = I2CON^6;

/* IEN1 */
sbit EI2C  = IEN1^0;  /* I2C */
sbit EKBI  = IEN1^1;  /* keyboard */
sbit EC    = IEN1^2;  /* comparators */
sbit ESPI  = IEN1^3;  /* SPI */
sbit ECCU  = IEN1^4;  /* capture/compare unit */
sbit EST   = IEN1^6;  /* serial transmit, apart from receive */
sbit EIEE  = IEN1^7;  /* data EEPROM write done */

/* IP1 */
sbit PI2C  = IP1^0;
sbit PKBI  = IP1^1;
sbit PC    = IP1^2;
sbit PSPI  = IP1^3;
sbit PCCU  = IP1^4;
sbit PST   = IP1^6;
sbit PIEE  = IP1^7;

/* TCR20 */
sbit TMOD20 = TCR20^0;
sbit TMOD21 = TCR20^1;
sbit TDIR2  = TCR20^2;
sbit ALTAB  = TCR20^3;
sbit ALTCD  = TCR20^4;
sbit HLTEN  = TCR20^5;
sbit HLTRN  = TCR20^6;
sbit PLLEN  = TCR20^7;

/* Port pins (P1_7 is port 1, bit 7) */
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

/* The pins' functions the 8051 has too, where this part puts them, and the
   keyboard inputs; the others (SDA, MOSI, RST...) are names projects give
   their own pins, so they are left to them. */
sbit KB0   = P0^0;
sbit KB1   = P0^1;
sbit KB2   = P0^2;
sbit KB3   = P0^3;
sbit KB4   = P0^4;
sbit KB5   = P0^5;
sbit KB6   = P0^6;
sbit KB7   = P0^7;
sbit T1    = P0^7;
sbit TXD   = P1^0;
sbit RXD   = P1^1;
sbit T0    = P1^2;
sbit INT0  = P1^3;
sbit INT1  = P1^4;

#endif
