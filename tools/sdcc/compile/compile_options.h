// The compiler's control string, understood and turned into sdcc options:
//   SMALL / COMPACT / LARGE   => --model-small / --model-medium / --model-large
//   ROM (SMALL)               => --acall-ajmp (the whole program fits 2 KB)
//   OPTIMIZE (n[,SIZE|SPEED]) => --opt-code-size / --opt-code-speed; low levels switch
//                                sdcc's optimisations off: < 2 no overlaying,
//                                < 3 no peephole, < 5 no common subexpressions,
//                                < 6 no loop optimisations
//   DEFINE (A,B=2)            => -DA -DB=2
//   INCDIR (a;b), C51INC      => -Ia -Ib, INCDIR first (names the system knows)
//   DEBUG                     => --debug
// char is always signed (--fsigned-char), as our users' code expects.
#ifndef C51_TOOLS_SDCC_COMPILE_COMPILE_OPTIONS_H_
#define C51_TOOLS_SDCC_COMPILE_COMPILE_OPTIONS_H_

#include <string>
#include <vector>

#include "sim/controls.h"

namespace c51::sdcc {

struct CompileRequest {
  std::string source;       // as given on the command line
  std::string object_path;  // empty: no object
  std::string src_path;     // SRC: sdcc's assembly source here instead of an object
  std::string print_path;   // listing; empty: none
  std::string preprint_path;
  bool code_listing = false;  // CODE: the assembly listing goes into the listing
  std::string model = "SMALL";
  bool rom_small = false;
  int optimize_level = 8;
  bool speed = true;
  bool debug = false;
  bool warnings = true;  // WARNINGLEVEL (0): warnings are not reported
  std::vector<std::string> defines;
  std::vector<std::string> include_dirs;  // as written: INCDIR, then C51INC
  std::string controls;                   // normalized, for the listing
  std::string invocation;
};

// Fills `request` from the parsed controls; `source` must be set and
// `include_dirs` hold the C51INC folders, which go after the INCDIR ones. False
// with `err` (upper case, for the fatal block) on a bad argument.
bool ApplyCompilerControls(const std::vector<sim::Control>& controls, CompileRequest* request,
                           std::string* err);

// The sdcc options for one translation, without -E/-c/-S, input and output.
std::vector<std::string> SdccOptions(const CompileRequest& request);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_COMPILE_OPTIONS_H_
