/* MATH.H: the math functions for the compiler on sdcc. float and double
   are one 32-bit type on this target, and sdcc's library names its
   functions after the float type (sinf, sqrtf, ...), so the names the
   users' code calls (sin, sqrt, pow, ...) lead there. They are macros:
   two-argument functions such as pow keep their own calling convention,
   which a linker alias could not. A call without this header (the
   program's own prototype) is bridged by the linker for the one-argument
   functions. fmod is not in sdcc's library. */

#ifndef C51_MATH_H
#define C51_MATH_H

float sinf(float x) reentrant;
float cosf(float x) reentrant;
float tanf(float x) reentrant;
float asinf(float x) reentrant;
float acosf(float x) reentrant;
float atanf(float x) reentrant;
float atan2f(float y, float x);
float sinhf(float x) reentrant;
float coshf(float x) reentrant;
float tanhf(float x) reentrant;
float expf(float x) reentrant;
float logf(float x) reentrant;
float log10f(float x) reentrant;
float powf(float x, float y);
float sqrtf(float x) reentrant;
float fabsf(float x) reentrant;
float ceilf(float x) reentrant;
float floorf(float x) reentrant;
float frexpf(float x, int *exponent);
float ldexpf(float x, int exponent);
float modff(float x, float *whole);
int isnan(float f);
int isinf(float f);
/* The original's MATH.H also declares the integer absolute values; sdcc's
   library has abs and labs (its stdlib.h declares them the same way). */
int abs(int j);
long int labs(long int j);
#define cabs(x) ((char)abs((char)(x)))

#define sin(x) sinf(x)
#define cos(x) cosf(x)
#define tan(x) tanf(x)
#define asin(x) asinf(x)
#define acos(x) acosf(x)
#define atan(x) atanf(x)
#define atan2(y, x) atan2f(y, x)
#define sinh(x) sinhf(x)
#define cosh(x) coshf(x)
#define tanh(x) tanhf(x)
#define exp(x) expf(x)
#define log(x) logf(x)
#define log10(x) log10f(x)
#define pow(x, y) powf(x, y)
#define sqrt(x) sqrtf(x)
#define fabs(x) fabsf(x)
#define ceil(x) ceilf(x)
#define floor(x) floorf(x)
#define frexp(x, e) frexpf(x, e)
#define ldexp(x, e) ldexpf(x, e)
#define modf(x, w) modff(x, w)

#endif
