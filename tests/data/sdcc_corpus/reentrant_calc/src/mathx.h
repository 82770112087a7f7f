#ifndef MATHX_H
#define MATHX_H

unsigned int fib(unsigned char n) reentrant;
unsigned int gcd(unsigned int a, unsigned int b) reentrant;

#endif
