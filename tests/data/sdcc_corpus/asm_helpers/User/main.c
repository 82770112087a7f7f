/* Helpers written in assembly for the original compiler, called from C:
   a delay without parameters, a function of one byte (in R7), one that
   returns a byte and one that takes and returns a word (R6:R7). */
#include <REG52.H>

extern void wait_loop(void);
extern unsigned char add3(unsigned char x);
extern unsigned char get_seed(void);
extern unsigned int swap_word(unsigned int w);

void main(void)
{
    unsigned int w;

    P2 = add3(5);
    P0 = get_seed();
    w = swap_word(0x1234);
    P3 = (unsigned char)w;
    while (1) {
        P1 = ~P1;
        wait_loop();
    }
}
