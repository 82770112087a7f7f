/* Small recursive helpers. */
#include "mathx.h"

unsigned int fib(unsigned char n) reentrant
{
    if (n < 2)
        return n;
    return fib(n - 1) + fib(n - 2);
}

unsigned int gcd(unsigned int a, unsigned int b) reentrant
{
    if (b == 0)
        return a;
    return gcd(b, a % b);
}
