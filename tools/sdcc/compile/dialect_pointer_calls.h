// Calls through a function pointer with two or more parameters. The
// original compiler passes them in registers; sdcc refuses such a call to a
// function that is not reentrant ("functions called via pointers must be
// 'reentrant' to take this many arguments"), and takes a plain function
// where a reentrant pointer is wanted without a word, so the arguments
// would land where the function does not look. So every pointer declarator
// of two or more parameters becomes reentrant (the same in every file, so
// headers agree), and where the address of a plain function of two or more
// parameters is taken, a reentrant function that calls it stands in:
//
//   void show(char *s, unsigned char n);     => ... ; static void
//                                                 __c51_thunk_show(char *s, unsigned char n)
//                                                 __reentrant;  (on the same line)
//   void (*op)(char *, unsigned char);       => void (*op)(char *, unsigned char) __reentrant;
//   op = show;  / { "s", show }              => op = __c51_thunk_show; / { "s", __c51_thunk_show }
//   (end of file)                            => static void __c51_thunk_show(char *s, unsigned
//                                                 char n) __reentrant { show(s, n); }
//
// An array parameter is restated as the pointer it is ("u8 buf[]" =>
// "u8 *buf"). A function whose parameters this pass cannot restate (function
// pointers) is left to sdcc, which then reports the call.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_POINTER_CALLS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_POINTER_CALLS_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgePointerCalls(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_POINTER_CALLS_H_
