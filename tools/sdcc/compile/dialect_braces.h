// Adds the inner braces an initializer leaves out, which C allows and sdcc
// refuses ("initialization needs curly braces"):
//
//   unsigned char code font[][4] = { 1, 2, 3, 4, 5, 6, 7, 8 };
//     => unsigned char code font[][4] = { {1, 2, 3, 4}, {5, 6, 7, 8} };
//   struct p { int a; char n[2]; } t[] = { 1, 'x', 'y', 2, "z" };
//     => ... t[] = { {1, {'x', 'y'}}, {2, "z"} };
//   unsigned char buf[20] = 0;  =>  unsigned char buf[20] = {0};
//
// The braces go around exactly the values C's rules give each element or
// member, on the lines the values are on. An initializer whose shape is not
// known (a type this reader does not follow, designators) is left as it is,
// for sdcc to take or refuse; one that needs braces where a dimension is no
// number here is reported, saying what to write.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_BRACES_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_BRACES_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void CompleteInitializerBraces(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_BRACES_H_
