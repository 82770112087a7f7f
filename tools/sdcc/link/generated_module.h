// Modules the linker writes itself (the interrupt vector table, the jumps
// that give sdcc's float functions their plain names) are sdas8051 source,
// assembled into the link's scratch folder beside the user's relocatables.
#ifndef C51_TOOLS_SDCC_LINK_GENERATED_MODULE_H_
#define C51_TOOLS_SDCC_LINK_GENERATED_MODULE_H_

#include <string>
#include <vector>

#include "sdcc/link/rel_symbols.h"
#include "sdcc/temp_folder.h"

namespace c51::sdcc {

// Writes `source` as "<title>.asm" in `scratch` and assembles it into
// "<title>.rel". False with `err` (upper case, for a REASON line).
bool AssembleGenerated(const TempFolder& scratch, const std::string& title,
                       const std::string& source, std::string* err);

// The float functions the modules call by their plain names, as one jump
// module each, and the serial console no module defines (see
// library_names.h), as a library in `scratch`: sdld takes a module only
// where it is called. `*argument` names the library for sdcc, empty when it
// holds nothing. False with `err`.
bool WriteAliasLibrary(const TempFolder& scratch, const std::vector<const RelSymbols*>& modules,
                       std::string* argument, std::string* err);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_GENERATED_MODULE_H_
