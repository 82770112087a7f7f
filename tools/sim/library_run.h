// The library manager's run around reading the modules of its inputs, the
// same for the simulated one and the one for sdcc objects: the banner, the
// TRANSFER command, the inputs read, the library written, the summary line
// and the exit code.
#ifndef C51_TOOLS_SIM_LIBRARY_RUN_H_
#define C51_TOOLS_SIM_LIBRARY_RUN_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/console.h"
#include "sim/link_command.h"

namespace c51::sim {

// Adds the modules of one input (`path` as the command names it, its
// `bytes`) to `library` and counts them in `count`; reports what is wrong
// with them and returns the number of errors.
using AddModules = std::function<int(const std::string& path, const std::string& bytes,
                                     Console* console, std::string* library, size_t* count)>;

// Reads "TRANSFER <objects> TO <library>" from `args` (or the command file
// they name), gives every input to `add`, and writes the library, which
// starts with `header`, when no input had an error; else no library is
// left. Returns the exit code.
int RunLibraryManager(std::string_view banner, std::string_view header,
                      const std::vector<std::string>& args, const AddModules& add,
                      Console* console);

// The lines of an input that is no object the manager can read:
//   *** ERROR 211: INVALID OBJECT FILE
//       FILE:    <shown>
//       REASON:  <reason>
void ReportInvalidObject(Console* console, const std::string& shown, const std::string& reason);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_LIBRARY_RUN_H_
