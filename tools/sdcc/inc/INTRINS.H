/* INTRINS.H: the intrinsic functions of our dialect, for the compiler on
   sdcc. Declarations only: the compiler replaces every call by the code it
   stands for (a nop, the rotate instructions, a read-and-clear), so no
   module gets a body, or a debug symbol, from this header. _testbit_ reads
   and clears a bit; unlike the single-instruction original it is not
   atomic: keep interrupts that write the same bit away while it runs. */

#ifndef C51_INTRINS_H
#define C51_INTRINS_H

void _nop_(void);
bit _testbit_(bit b);

unsigned char _crol_(unsigned char c, unsigned char n);
unsigned char _cror_(unsigned char c, unsigned char n);
unsigned int _irol_(unsigned int i, unsigned char n);
unsigned int _iror_(unsigned int i, unsigned char n);
unsigned long _lrol_(unsigned long l, unsigned char n);
unsigned long _lror_(unsigned long l, unsigned char n);

/* Push or pop the special function register named (a statement). */
void _push_(unsigned char sfr);
void _pop_(unsigned char sfr);

#endif
