// The console functions our users write for printf and getchar. sdcc's
// library has neither putchar nor getchar: its printf calls the program's
// "int putchar(int)", and stdio.h declares it so. Our users write
//
//   char putchar(char c) { ... }   => int putchar(int c) { ... }
//   char _getkey(void) { ... }     => ... and, on the file's last line,
//                                     int getchar(void) { return (unsigned char)_getkey(); }
//
// so every declaration of putchar with char in place of int gets int
// (which printf's calls need, stdio.h or not), and a file that defines
// _getkey but not getchar also gets the getchar that reads through it.
// A putchar that returns nothing is reported: the library's puts checks the
// value putchar returns.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_CONSOLE_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_CONSOLE_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeConsoleFunctions(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_CONSOLE_H_
