// Turns the 8051 dialect our users write (sfr, sbit, bit, memory types,
// _at_, interrupt/using, reentrant) into the one sdcc reads. It works on the
// preprocessor's output, so macros from headers are already expanded and
// every header is in place; the line markers ("# 12 "main.c" 2") tell which
// file and line each piece came from.
//
//   sfr P1 = 0x90;                    => __sfr __at(0x90) P1;
//   sfr16 T2 = 0xCC;                  => __sfr16 __at(0xCDCC) T2;   (high byte at +1)
//   sbit LED = P1^3;                  => __sbit __at(0x93) LED;
//   sbit CY = 0xD7;                   => __sbit __at(0xD7) CY;
//   bit flag;                         => __bit flag;
//   char xdata * data p;              => char __xdata * __data p;
//   unsigned char xdata io[2] _at_ 0x8000; => unsigned char __xdata __at(0x8000) io[2] ;
//   void t0(void) interrupt 1 using 2 => void t0(void) __interrupt(1) __using(2)
//   int f(int a) reentrant;           => int f(int a) __reentrant;
//
// Every line stays on its line, so sdcc's messages keep pointing at the
// user's file and line. Text from sdcc's own headers (marker flag 3) is left
// alone: it is written in sdcc's dialect and may use these words as names.
// Words used as names (s.code, struct data, int code;) are not rewritten.
// Variables in bdata and the bits declared on them become ordinary data
// and mask operations (dialect_bdata.h).
// Pragmas: the listing, debug and optimisation ones are dropped, SMALL,
// COMPACT and LARGE choose the memory model, sdcc's own lower-case ones
// pass; every other one is reported as not supported.
// Passes of their own then add the braces initializers leave out
// (dialect_braces.h), replace intrinsic calls (dialect_intrinsics.h), give
// old-style definitions prototypes (dialect_old_style.h), doubles and
// declarations without a type plain C types (dialect_plain_types.h), an
// array's address the element pointer it is assigned to
// (dialect_array_addresses.h), calls without a declaration a prototype
// (dialect_implicit_calls.h), putchar the
// library's types (dialect_console.h), "~" on a bit its meaning
// (dialect_bits.h) and printf's byte arguments one byte
// (dialect_byte_formats.h).
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_REWRITER_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_REWRITER_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sdcc/compile/sibling_definitions.h"

namespace c51::sdcc {

struct DialectIssue {
  std::string file;  // as the line marker names it
  int line = 0;
  std::string text;  // for the error line
};

// A function defined with "interrupt n", for the object's record of the
// vectors the linker lays down.
struct InterruptFunction {
  std::string name;
  std::string file;
  int line = 0;
  int64_t number = -1;  // -1: not a constant the rewriter can evaluate
};

// Lines first..last of a file, as the line markers name it.
struct LineRange {
  std::string file;
  int first = 0;
  int last = 0;
};

struct RewriteResult {
  std::string text;                    // sdcc's dialect, line for line
  std::vector<DialectIssue> issues;    // constructs that cannot be bridged: the run fails
  std::vector<DialectIssue> warnings;  // constructs that behave otherwise: said, not refused
  std::string main_file;               // the first line marker's file
  std::vector<std::string> headers;    // headers entered, not sdcc's own, first entry order
  std::string model;                   // "SMALL", "COMPACT" or "LARGE" from a pragma; else empty
  std::vector<InterruptFunction> interrupts;  // defined here
  bool defines_main = false;
  std::vector<std::string> consulted;  // other files read for a definition's parameters
  std::vector<LineRange> inline_asm;   // "#pragma asm" to "#pragma endasm", both included
  std::vector<std::string> placed;     // variables placed with _at_ at file scope, sized types
  // Calls no declaration preceded, which got a prototype: their C206.
  std::vector<DialectIssue> implicit_calls;
};

// Finds the definition of `name`, declared with "()" or called without a
// declaration in `file` (as the line markers name it), in another file of
// the project: its result and parameters in sdcc's words ("unsigned int
// z") and the file read.
using DefinitionFinder =
    std::function<bool(const std::string& name, const std::string& file,
                       const DefinitionWanted& wanted, FunctionDefinition* found)>;

// `model` is the memory model the compile was asked for ("SMALL",
// "COMPACT", "LARGE"); a "#pragma" naming one in the file wins.
void RewriteDialect(std::string_view preprocessed, RewriteResult* result,
                    const DefinitionFinder& find = {}, std::string_view model = "SMALL");

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_REWRITER_H_
