// What the linker's vector table is planned from, gathered from the modules
// a link takes: their interrupt routines, their absolute code and the size
// of sdcc's own table in the main module. Library modules count only once
// sdld has linked them, which its map tells.
#ifndef C51_TOOLS_SDCC_LINK_VECTOR_INPUTS_H_
#define C51_TOOLS_SDCC_LINK_VECTOR_INPUTS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sdcc/link/link_module.h"
#include "sdcc/link/vector_table.h"

namespace c51::sdcc {

// Per module, whether it was linked: every object module, and the library
// modules sdld's map lists ("<library>  [ <member> ]").
std::vector<bool> LinkedModules(const std::vector<LinkModule>& modules,
                                const std::string& sdld_map);

struct VectorInputs {
  std::vector<InterruptRoutine> routines;
  std::vector<CodeRange> absolute;  // the user's absolute code
  uint32_t main_home_size = 0;      // sdcc's HOME area in the module defining main()
};

// From the modules `linked` marks.
VectorInputs GatherVectorInputs(const std::vector<LinkModule>& modules,
                                const std::vector<bool>& linked);

// True when `linked` differs from `planned` in a module the table depends
// on: one with interrupt routines, absolute code or main().
bool VectorInputsChanged(const std::vector<LinkModule>& modules, const std::vector<bool>& planned,
                         const std::vector<bool>& linked);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_VECTOR_INPUTS_H_
