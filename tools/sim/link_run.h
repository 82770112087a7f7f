// The linker's run around the link itself, the same for the simulated
// linker and the one on sdcc: the banner, the command (file), the messages,
// the program and the map written, the summary line and the exit code.
#ifndef C51_TOOLS_SIM_LINK_RUN_H_
#define C51_TOOLS_SIM_LINK_RUN_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/console.h"
#include "sim/files.h"
#include "sim/link_command.h"
#include "sim/linker.h"

namespace c51::sim {

using LinkFunction = std::function<LinkOutcome(const LinkCommand&, FileSource*)>;

// Reads the link command from `args` (a command file named "@file", or
// the command itself), links it with `link` and reports as the linker
// does; returns the exit code. A program is written only when the link
// had no error; one left from an earlier run is removed then.
int RunLinker(std::string_view banner, const std::vector<std::string>& args,
              const LinkFunction& link, Console* console);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_LINK_RUN_H_
