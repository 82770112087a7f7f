/* STC15W4K32S4.H: the STC15W4K series (STC15W4K32S4, STC15W4K56S4,
   IAP15W4K58S4 and their siblings): everything STC15F2K60S2.H names (the
   8051 core, ports 4 to 7 and their modes, UARTs 2 to 4, timers 2 to 4, the
   PCA, the ADC, the comparator) plus the series' enhanced 15-bit PWM: four
   SFRs and the counter, clock and six channels (PWM2 to PWM7) it keeps in
   XDATA at 0xFFxx. The addresses are the STC15 series data sheet's special
   function register table and its enhanced PWM chapter.

   The XDATA registers answer only while P_SW2 bit 7 (EAXSFR) is set. The
   16-bit ones keep the high byte at the lower address, where sdcc would put
   an int's low byte: they are named by halves (PWM2T1H, PWM2T1L) and whole
   (PWM2T1) as the vendor's headers name them, an int at a fixed address,
   which the compiler reads and writes byte by byte, high byte first.

   IE2 (0xAF), INT_CLKO (0x8F) and T4T3M (0xD1) are not bit-addressable;
   their bits, 7 to 0:
     IE2:      -    ET4     ET3    ES4     ES3  ET2     ESPI    ES2
     INT_CLKO: -    EX4     EX3    EX2     -    T2CLKO  T1CLKO  T0CLKO
     T4T3M:    T4R  T4_C/T  T4x12  T4CLKO  T3R  T3_C/T  T3x12   T3CLKO */

#ifndef C51_STC15W4K32S4_H
#define C51_STC15W4K32S4_H

#include "STC15F2K60S2.H"

/* Enhanced PWM: SFRs */
sfr PWMCFG  = 0xF1;  /* - CBTADC C7INI..C2INI: ADC trigger, outputs' start levels */
sfr PWMCR   = 0xF5;  /* ENPWM ECBI ENC7O..ENC2O: enable, counter interrupt, outputs */
sfr PWMIF   = 0xF6;  /* - CBIF C7IF..C2IF: interrupt flags */
sfr PWMFDCR = 0xF7;  /* - - ENFD FLTFLIO EFDI FDCMP FDIO FDIF: fault detection */

/* XDATA: the 15-bit counter's period and the clock */
#define PWMC        (*(unsigned int volatile xdata *)0xFFF0) /* period, 15 bits */
#define PWMCH       (*(unsigned char volatile xdata *)0xFFF0)  /* period, high bits */
#define PWMCL       (*(unsigned char volatile xdata *)0xFFF1)  /* period, low bits */
#define PWMCKS      (*(unsigned char volatile xdata *)0xFFF2)  /* - - - SELT2 PS3..PS0 */

/* XDATA: channels PWM2 to PWM7, 0x10 apart */
#define PWM2T1      (*(unsigned int volatile xdata *)0xFF00)
#define PWM2T1H     (*(unsigned char volatile xdata *)0xFF00)  /* counter value of the first flip */
#define PWM2T1L     (*(unsigned char volatile xdata *)0xFF01)
#define PWM2T2      (*(unsigned int volatile xdata *)0xFF02)
#define PWM2T2H     (*(unsigned char volatile xdata *)0xFF02)  /* counter value of the second flip */
#define PWM2T2L     (*(unsigned char volatile xdata *)0xFF03)
#define PWM2CR      (*(unsigned char volatile xdata *)0xFF04)  /* PWM2_PS EPWM2I EC2T2SI EC2T1SI */

#define PWM3T1      (*(unsigned int volatile xdata *)0xFF10)
#define PWM3T1H     (*(unsigned char volatile xdata *)0xFF10)
#define PWM3T1L     (*(unsigned char volatile xdata *)0xFF11)
#define PWM3T2      (*(unsigned int volatile xdata *)0xFF12)
#define PWM3T2H     (*(unsigned char volatile xdata *)0xFF12)
#define PWM3T2L     (*(unsigned char volatile xdata *)0xFF13)
#define PWM3CR      (*(unsigned char volatile xdata *)0xFF14)

#define PWM4T1      (*(unsigned int volatile xdata *)0xFF20)
#define PWM4T1H     (*(unsigned char volatile xdata *)0xFF20)
#define PWM4T1L     (*(unsigned char volatile xdata *)0xFF21)
#define PWM4T2      (*(unsigned int volatile xdata *)0xFF22)
#define PWM4T2H     (*(unsigned char volatile xdata *)0xFF22)
#define PWM4T2L     (*(unsigned char volatile xdata *)0xFF23)
#define PWM4CR      (*(unsigned char volatile xdata *)0xFF24)

#define PWM5T1      (*(unsigned int volatile xdata *)0xFF30)
#define PWM5T1H     (*(unsigned char volatile xdata *)0xFF30)
#define PWM5T1L     (*(unsigned char volatile xdata *)0xFF31)
#define PWM5T2      (*(unsigned int volatile xdata *)0xFF32)
#define PWM5T2H     (*(unsigned char volatile xdata *)0xFF32)
#define PWM5T2L     (*(unsigned char volatile xdata *)0xFF33)
#define PWM5CR      (*(unsigned char volatile xdata *)0xFF34)

#define PWM6T1      (*(unsigned int volatile xdata *)0xFF40)
#define PWM6T1H     (*(unsigned char volatile xdata *)0xFF40)
#define PWM6T1L     (*(unsigned char volatile xdata *)0xFF41)
#define PWM6T2      (*(unsigned int volatile xdata *)0xFF42)
#define PWM6T2H     (*(unsigned char volatile xdata *)0xFF42)
#define PWM6T2L     (*(unsigned char volatile xdata *)0xFF43)
#define PWM6CR      (*(unsigned char volatile xdata *)0xFF44)

#define PWM7T1      (*(unsigned int volatile xdata *)0xFF50)
#define PWM7T1H     (*(unsigned char volatile xdata *)0xFF50)
#define PWM7T1L     (*(unsigned char volatile xdata *)0xFF51)
#define PWM7T2      (*(unsigned int volatile xdata *)0xFF52)
#define PWM7T2H     (*(unsigned char volatile xdata *)0xFF52)
#define PWM7T2L     (*(unsigned char volatile xdata *)0xFF53)
#define PWM7CR      (*(unsigned char volatile xdata *)0xFF54)

#endif
