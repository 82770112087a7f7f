// printf's "b" modifier (%bu, %02bX, %bd): the dialect's library reads one
// byte for it, and the dialect's compiler passes a char to printf as one
// byte. sdcc passes an uncast char as an int (two bytes), so every argument
// from the first %b on would be read from the wrong place; a cast to char
// does not help everywhere (sdcc still passes a call's, an element's or a
// shift's value as an int), and sdcc's printf reads the byte of %bd
// unsigned. So, in calls of printf and sprintf whose format is a string
// literal (adjacent literals count as one), each %b conversion becomes the
// int one, of the argument's byte:
//
//   printf("%bu %02bX", a, f(x))  =>  printf("%u %02X", (unsigned int)(unsigned char)(a),
//                                             (unsigned int)(unsigned char)(f(x)))
//   printf("%bd", c)              =>  printf("%d", (int)(signed char)(c))
//
// Arguments that "*" widths and precisions take, and every other
// conversion's, stay. A format that is not a literal is left alone.
//
// Our build of sdcc's printf reads %b and %c from an int; sdcc passes an
// uncast char as an int but a cast one as a byte. So an argument of any
// variadic call (printf's, a wrapper's with "...") that opens with a cast
// to a char type becomes an int:
//
//   uart_printf("%bu %c", (unsigned char)v, (char)c)
//       =>  uart_printf("%bu %c", (int)((unsigned char)v), (int)((char)c))
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_BYTE_FORMATS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_BYTE_FORMATS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeByteFormats(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_BYTE_FORMATS_H_
