/* INTRINS.H: the intrinsic functions of our dialect, for the compiler on
   sdcc. The rotations are written so sdcc recognises them and emits the
   rotate instructions. _testbit_ reads and clears a bit; unlike the
   single-instruction original it is not atomic: keep interrupts that write
   the same bit away while it runs. */

#ifndef C51_INTRINS_H
#define C51_INTRINS_H

#define _nop_() __asm__("nop")

static inline unsigned char _crol_(unsigned char c, unsigned char n) {
  n &= 7;
  return (unsigned char)((c << n) | (c >> (8 - n)));
}

static inline unsigned char _cror_(unsigned char c, unsigned char n) {
  n &= 7;
  return (unsigned char)((c >> n) | (c << (8 - n)));
}

static inline unsigned int _irol_(unsigned int i, unsigned char n) {
  n &= 15;
  return (unsigned int)((i << n) | (i >> (16 - n)));
}

static inline unsigned int _iror_(unsigned int i, unsigned char n) {
  n &= 15;
  return (unsigned int)((i >> n) | (i << (16 - n)));
}

static inline unsigned long _lrol_(unsigned long l, unsigned char n) {
  n &= 31;
  return (l << n) | (l >> ((32 - n) & 31)); /* n == 0: l | l */
}

static inline unsigned long _lror_(unsigned long l, unsigned char n) {
  n &= 31;
  return (l >> n) | (l << ((32 - n) & 31));
}

#define _testbit_(b) ((b) ? ((b) = 0, 1) : 0)

#endif
