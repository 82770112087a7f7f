// One run of the assembler: sdas8051 on the source with the SET symbols
// as equates in front, reported in our assembler's layout, the object in
// the same container as the compiler's.
//
// Accepted syntax: sdas8051's (the asxxxx family): ".module", ".area NAME
// (CODE|DATA|XDATA|BIT|ABS...)", ".globl", "label:", "name = value",
// ".db/.dw/.ds", ".org" in absolute areas, ".if/.else/.endif", ".include"
// (and "$INCLUDE (x)" and "#include", found as include_mirror.h tells),
// "#" immediates, "0x" hexadecimal, ";" comments. Symbols must be defined
// or declared .globl: an undefined one is an error. The compiler's SRC
// output assembles as it is. A source with no dot directive is in the
// classic syntax and is translated first (a51_classic.h), and so are the
// C register headers any source includes (a51_c_header.h); what cannot be
// translated is an error at its file and line, and sdas8051 does not run.
#ifndef C51_TOOLS_SDCC_COMPILE_ASSEMBLER_RUN_H_
#define C51_TOOLS_SDCC_COMPILE_ASSEMBLER_RUN_H_

#include <string>
#include <vector>

#include "sim/console.h"

namespace c51::sdcc {

struct AssembleRequest {
  std::string source;       // as given on the command line
  std::string object_path;  // empty: no object
  std::string print_path;   // empty: no listing
  std::string model = "SMALL";
  bool debug = false;
  // SET (A, B=5) and RESET (C): "A = 1", "B = 5", "C = 0" in front of the source.
  std::vector<std::pair<std::string, uint32_t>> symbols;
  std::vector<std::string> include_dirs;  // as written: INCDIR, then C51INC
  std::string invocation;
};

std::string AssemblerBanner();

// Fills `request` from the control string; false with `err` (upper case)
// on a bad control. `source` must be set and `include_dirs` hold C51INC's folders.
bool ParseAssemblerControls(const std::string& controls_text, AssembleRequest* request,
                            std::string* err);

int Assemble(const AssembleRequest& request, sim::Console* console);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_ASSEMBLER_RUN_H_
