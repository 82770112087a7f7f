// The hex converter's run around turning a program's segments into Intel
// HEX chunks, the same for the simulated converter and the one for sdcc's
// programs: the banner, the command line, the program read, the hex file
// written, the summary line and the exit code.
#ifndef C51_TOOLS_SIM_HEX_RUN_H_
#define C51_TOOLS_SIM_HEX_RUN_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/console.h"
#include "sim/intel_hex.h"
#include "sim/linker.h"

namespace c51::sim {

// The chunks of `program`'s code for the hex file; false with `err` when
// the program cannot be converted.
using ProgramChunks =
    std::function<bool(Program* program, std::vector<HexChunk>* chunks, std::string* err)>;

// OH51.exe "<program>" [HEXFILE(<hex file>)]: writes the chunks `chunks`
// makes, in address order, to the hex file, by default the program's path
// with the extension ".hex". Returns the exit code.
int RunHexConverter(std::string_view banner, const std::vector<std::string>& args,
                    const ProgramChunks& chunks, Console* console);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_HEX_RUN_H_
