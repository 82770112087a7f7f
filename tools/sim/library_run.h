// What the library managers share: reading the TRANSFER command and the
// summary line that ends every run.
#ifndef C51_TOOLS_SIM_LIBRARY_RUN_H_
#define C51_TOOLS_SIM_LIBRARY_RUN_H_

#include <string>
#include <vector>

#include "sim/console.h"
#include "sim/link_command.h"

namespace c51::sim {

// Reads "TRANSFER <objects> TO <library>" from the arguments (or the
// command file they name). False after writing the error lines.
bool ReadTransferCommand(const std::vector<std::string>& args, Console* console,
                         LinkCommand* command);

// Writes the summary line; the exit code for `errors`.
int FinishLibraryRun(Console* console, int errors);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_LIBRARY_RUN_H_
