#include "sdcc/link/runtime_library.h"

#include "platform/ascii_case.h"
#include "sim/files.h"

namespace c51::sdcc {

bool IsClassicRuntimeLibrary(std::string_view path) {
  const std::string name = ToUpperAscii(NamePart(path, sim::kToolBreaks));
  for (const char* known :
       {"C51S.LIB", "C51C.LIB", "C51L.LIB", "C51FPS.LIB", "C51FPC.LIB", "C51FPL.LIB"}) {
    if (name == known) return true;
  }
  return false;
}

}  // namespace c51::sdcc
