// Finds the files an sdas8051 source takes in, for the assembler's
// dependency record and for a clear message when one is missing:
//   .include "defs.inc"          looked for next to the including file, then
//                                in the include folders (any delimiter
//                                pair works: .include /defs.inc/)
//   ; C51-DEPENDS: /p/cfg.h      a header the compiler recorded in the
//                                assembly source it wrote
// Conditional assembly is not evaluated: every .include counts.
#ifndef C51_TOOLS_SDCC_COMPILE_ASM_INCLUDES_H_
#define C51_TOOLS_SDCC_COMPILE_ASM_INCLUDES_H_

#include <string>
#include <vector>

namespace c51::sdcc {

struct AsmIncludes {
  std::vector<std::string> headers;  // as found, first inclusion order, no repeats
  // A file that is not there: the name, where it was asked for and the line.
  std::string missing;
  std::string missing_in;
  int missing_line = 0;
  std::string missing_line_text;
};

// `source` and `include_dirs` are native paths.
void FindAsmIncludes(const std::string& source, const std::vector<std::string>& include_dirs,
                     AsmIncludes* result);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_ASM_INCLUDES_H_
