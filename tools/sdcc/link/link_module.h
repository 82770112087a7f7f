// One module a link reads, from an object or a library, with what the
// linker learnt of it before sdld runs.
#ifndef C51_TOOLS_SDCC_LINK_LINK_MODULE_H_
#define C51_TOOLS_SDCC_LINK_LINK_MODULE_H_

#include <string>
#include <utility>
#include <vector>

#include "sdcc/link/rel_symbols.h"
#include "sdcc/rel_object.h"
#include "sim/link_command.h"

namespace c51::sdcc {

struct LinkModule {
  const c51::sim::LinkInput* input = nullptr;
  RelModule module;
  RelSymbols symbols;
  bool from_library = false;
  bool runtime = false;  // sdcc's run-time library, built by the linker with its graph
  std::string file;      // the relocatable's name in the scratch folder
  // Other names of the module's variables that the linker lays (rel_object.h's
  // DATA lines), which the module's relocatable cannot define: alias, variable.
  std::vector<std::pair<std::string, std::string>> variable_aliases = {};
};

// The module as messages and the map name it: "<file> (<MODULE>)".
inline std::string Shown(const LinkModule& m) {
  return m.input->path + " (" + m.module.name + ")";
}

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_LINK_MODULE_H_
