/* Self-test of the recursive routines: the results go out on the ports
   (P1 the expression, P2 fib(12) and P0 a gcd), with a table of
   Fibonacci numbers kept in external RAM. */
#include <REG52.H>
#include "CALC.H"
#include "MathX.h"

static const char code formula[] = "12*(3+4)-5";
unsigned int xdata fib_table[13];

void main(void)
{
    unsigned char i;

    for (i = 0; i < 13; i++)
        fib_table[i] = fib(i);
    P1 = (unsigned char)calc_eval(formula);
    P2 = (unsigned char)fib_table[12];
    P0 = (unsigned char)gcd(1071, 462);
    while (1)
        ;
}
