// Which file an include line names and where the Windows tools look for it.
// Both toolchains resolve includes with these two functions, so a project
// finds the same headers whichever toolchain builds it.
#ifndef C51_TOOLS_SIM_INCLUDE_SEARCH_H_
#define C51_TOOLS_SIM_INCLUDE_SEARCH_H_

#include <string>
#include <string_view>
#include <vector>

#include "sim/files.h"

namespace c51::sim {

enum class Dialect { kC, kAssembly };

struct IncludeRequest {
  enum Kind { kNone, kQuoted, kAngle, kBad };
  Kind kind = kNone;
  std::string name;  // as written, less the blanks the tools ignore
};

// The include one line of code asks for; comments must be gone already.
//   C and assembly:  #include "x.h"  # include <x.h>  #include < reg51.h >
//   assembly only:   $INCLUDE (x.inc)  $NOMOD51 INCLUDE(x.inc)  #INCLUDE "x.inc"
// Blanks inside "< >" are dropped, and so are blanks ending a quoted name
// (Windows drops them when it opens the file): "< reg51.h >" => "reg51.h".
// kBad: an include line whose name cannot be read ("#include x.h").
IncludeRequest FindInclude(std::string_view code, Dialect dialect);

// The paths to try for `request`, first choice first, as the Windows tools
// search: a quoted name in the including file's folder, then in the
// current folder (the name itself, taken against it), then in each of
// `include_dirs` (the INCDIR folders, then the C51INC ones); an angle name
// in `include_dirs` only; an absolute name as it is. "\" and "/" both
// separate, in the name too.
//   "cfg.h" from ".\src\" with [".\inc"]   => .\src\cfg.h | cfg.h | .\inc\cfg.h
//   <reg51.h> from ".\src\" with ["C:\K"]  => C:\K\reg51.h
//   "lib\a.h" from "" with []              => lib\a.h
std::vector<std::string> IncludeCandidates(const IncludeRequest& request,
                                           std::string_view includer_dir,
                                           const std::vector<std::string>& include_dirs,
                                           PathStyle style);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_INCLUDE_SEARCH_H_
