// A header that declares a table without "extern" and without its size
// ("unsigned char code font[];"), the table defined with its contents in
// one source: the original compiler takes such a line as a reference to the
// table, sdcc as a definition of unknown size ("attempt to allocate
// variable of unknown size") in every file that includes the header. Where
// the file itself never gives the array a size or contents, the line
// becomes a declaration:
//
//   unsigned char __code font[];  =>  extern unsigned char __code font[];
//
// Only a file-scope declaration of one name that ends in "[]" is changed;
// "static" and "typedef" lines are left for sdcc.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_UNSIZED_ARRAYS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_UNSIZED_ARRAYS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void DeclareUnsizedArrays(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_UNSIZED_ARRAYS_H_
