/* PWMA channel 1 (PWM1P on P1.0) in PWM mode 1, edge aligned. The
   extended registers live in XDATA and are only reachable while EAXFR
   (P_SW2 bit 7) is set; each access opens and closes that window. */
#include <STC8H.H>
#include "pwma.h"

#define EAXFR 0x80

void pwma_init(void)
{
    P1M0 |= 0x01;               /* P1.0 push-pull */
    P1M1 &= ~0x01;
    P_SW2 |= EAXFR;
    PWMA_CCER1 = 0x00;          /* channel off while configuring */
    PWMA_CCMR1 = 0x68;          /* PWM mode 1, preload */
    PWMA_CCER1 = 0x01;          /* CC1P output, active high */
    PWMA_ARRH = (unsigned char)((PWM_PERIOD - 1) >> 8);
    PWMA_ARRL = (unsigned char)(PWM_PERIOD - 1);
    PWMA_CCR1H = 0;
    PWMA_CCR1L = 0;
    PWMA_ENO = 0x01;            /* PWM1P pin enabled */
    PWMA_BKR = 0x80;            /* main output enable */
    PWMA_CR1 = 0x01;            /* counter on */
    P_SW2 &= ~EAXFR;
}

void pwma_set_duty(unsigned int duty)
{
    P_SW2 |= EAXFR;
    PWMA_CCR1H = (unsigned char)(duty >> 8);
    PWMA_CCR1L = (unsigned char)duty;
    P_SW2 &= ~EAXFR;
}
