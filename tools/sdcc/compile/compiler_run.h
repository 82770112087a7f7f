// One run of the compiler: preprocess with sdcc, rewrite the dialect,
// compile with sdcc, report in our compiler's layout, write the object (or
// the assembly source), the listing and the preprocessed text.
#ifndef C51_TOOLS_SDCC_COMPILE_COMPILER_RUN_H_
#define C51_TOOLS_SDCC_COMPILE_COMPILER_RUN_H_

#include <string>

#include "sdcc/compile/compile_options.h"
#include "sim/console.h"

namespace c51::sdcc {

std::string CompilerBanner();

// Prints the banner and everything after it; returns the exit code.
int Compile(const CompileRequest& request, sim::Console* console);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_COMPILER_RUN_H_
