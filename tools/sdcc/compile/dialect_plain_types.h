// Declarations sdcc refuses that the original compiler reads as plain C90:
//
//   long double x;        =>  float x;        (its double is its 32-bit float;
//   double y;             =>  float y;         sdcc warns of every double)
//   seg[8] = {28, 28};    =>  int seg[8] = {28, 28};   (implicit int, file scope)
//   count = 5; flag;      =>  int count = 5; int flag;
//   ReadOneChar(void);    =>  int ReadOneChar(void);   (and its definition)
//   code tab[] = {1, 2};  =>  code int tab[] = {1, 2};
//
// An implicit int is added only at file scope, where a declaration opens
// with a word that is no type, typedef, storage class, qualifier or word of
// the dialect, followed by "[", "=", "," or ";", or by a parameter list and
// ";" or a body; or when storage class, qualifiers or memory type open it
// and a name that is no type follows them.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_PLAIN_TYPES_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_PLAIN_TYPES_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void MakeDoublesFloat(DialectSource* source);
void AddImplicitInt(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_PLAIN_TYPES_H_
