// The C register headers (sfr P1 = 0x90; sbit LED = P1^0;) as the assembler
// reads them: classic sources include the same headers as the C sources
// ("#include <reg52.h>"), for the register and bit names. Each declaration
// becomes an sdas8051 equate on its own line:
//
//   sfr P1 = 0x90;                 => P1 = 0x90
//   sfr16 T2 = 0xCC;               => T2 = 0xCC
//   sbit T2EX = P1^1;              => T2EX = 0x91   (P1 declared above)
//   sbit ET2 = IE^5;               => ET2 = (IE+5)  (IE from another header)
//   sbit CY = 0xD7;                => CY = 0xD7
//   #define LIMIT (0x10 + 2)       => LIMIT = (0x10+2)
//   sfr A = 0xE0; sfr B = 0xF0;    => a macro of the line's own, as in a51_classic.h
//
// The include guard (#ifndef X / #define X first, its #endif last),
// comments, #pragma, #undef, macros that are no constant (casts,
// arguments) and C declarations give nothing: assembly cannot use them, and
// a use of such a name is an undefined symbol. Any other conditional (#if,
// #ifdef, #else...) is refused: both of its branches would count.
#ifndef C51_TOOLS_SDCC_COMPILE_A51_C_HEADER_H_
#define C51_TOOLS_SDCC_COMPILE_A51_C_HEADER_H_

#include <string>
#include <string_view>

#include "sdcc/compile/a51_classic.h"

namespace c51::sdcc {

// `tag` is unique per file, for the names of its macros.
void TranslateCHeader(std::string_view text, const std::string& tag, ClassicTranslation* out);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_C_HEADER_H_
