// Which syntax an assembly source or an included file is written in, so
// that only what is not sdas8051's is translated:
//   sdas8051's     a line starts (after a label) with a dot directive other
//                  than ".include": the compiler's SRC output, hand-written
//                  sdas8051 sources and headers
//   a C header     a line declares "sfr", "sfr16" or "sbit", or the file
//                  opens with a C comment: the register headers C sources use
//   classic        everything else, a file of instructions alone included
#ifndef C51_TOOLS_SDCC_COMPILE_A51_SYNTAX_H_
#define C51_TOOLS_SDCC_COMPILE_A51_SYNTAX_H_

#include <string_view>

namespace c51::sdcc {

enum class AsmSyntax { kSdas, kClassic, kCHeader };

AsmSyntax DetectAsmSyntax(std::string_view text);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_SYNTAX_H_
