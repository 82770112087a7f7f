/* Tune player: timer 0 toggles the buzzer on P2.3 at the note's pitch;
   the main loop times the notes with timer 1 (50 ms steps). */
#include <REG52.H>
#include "song.h"

sbit BUZZER = P2^3;

static unsigned int current_reload;

void timer0_isr(void) interrupt 1
{
    TH0 = current_reload >> 8;
    TL0 = current_reload & 0xFF;
    BUZZER = !BUZZER;
}

static void wait_50ms(unsigned char n)
{
    while (n--) {
        TH1 = (65536 - 50000) >> 8;
        TL1 = (65536 - 50000) & 0xFF;
        TF1 = 0;
        TR1 = 1;
        while (!TF1)
            ;
        TR1 = 0;
    }
}

void main(void)
{
    unsigned char i;

    TMOD = 0x11;        /* both timers 16-bit */
    ET0 = 1;
    EA = 1;
    while (1) {
        for (i = 0; i < song_length; i++) {
            current_reload = song[i].reload;
            if (current_reload) {
                TH0 = current_reload >> 8;
                TL0 = current_reload & 0xFF;
                TR0 = 1;
            }
            wait_50ms(song[i].eighths * 3);
            TR0 = 0;
            BUZZER = 1;
            wait_50ms(1);   /* gap between notes */
        }
    }
}
