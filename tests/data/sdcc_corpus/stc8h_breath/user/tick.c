/* Timer 0, 1T, 16-bit auto-reload: an interrupt every millisecond at
   24 MHz. Every tenth one moves the LED brightness a step up or down. */
#include <STC8H.H>
#include "..\Driver\PWMA.h"

#define STEP 20

static unsigned int duty;
static unsigned char ms;
static bit falling;

void tick_init(void)
{
    AUXR |= 0x80;                       /* timer 0 at the system clock */
    TMOD &= 0xF0;                       /* mode 0: 16-bit auto reload */
    TL0 = (65536 - 24000000 / 1000) & 0xFF;
    TH0 = (65536 - 24000000 / 1000) >> 8;
    ET0 = 1;
    TR0 = 1;
}

void tick_isr(void) interrupt 1
{
    if (++ms < 10)
        return;
    ms = 0;
    if (falling) {
        duty -= STEP;
        if (duty == 0)
            falling = 0;
    } else {
        duty += STEP;
        if (duty >= PWM_PERIOD)
            falling = 1;
    }
    pwma_set_duty(duty);
}
