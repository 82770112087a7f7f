// The linker's work: load the objects and libraries of a link command, place
// their code in the common area and the code banks, check the address
// spaces, and collect the messages the objects carry.
//
// The absolute program file it writes (and the hex converter reads):
//   SIMABS 1
//   SEGMENT <bank, -1 for common> <address, hex> <bytes, hex> <module>
//   END
#ifndef C51_TOOLS_SIM_LINKER_H_
#define C51_TOOLS_SIM_LINKER_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/files.h"
#include "sim/link_command.h"
#include "sim/object_module.h"

namespace c51::sim {

struct ProgramSegment {
  int bank = kCommonArea;
  uint32_t address = 0;
  std::vector<uint8_t> bytes;
  std::string module;
};

struct Program {
  std::vector<ProgramSegment> segments;
};

std::string FormatProgram(const Program& program);
bool ParseProgram(std::string_view text, Program* program, std::string* err);

struct LinkOutcome {
  // "*** ERROR L104: ..." and "*** WARNING L16: ..." lines, each followed by
  // its indented detail lines, in the order found.
  std::vector<std::string> lines;
  int errors = 0;
  int warnings = 0;
  bool fatal = false;  // a fatal error ended the link early
  Program program;
  uint32_t data = 0;  // bytes of internal RAM, register bank included
  uint32_t xdata = 0;
  uint32_t code = 0;
  std::string output;    // the program file's path
  std::string map_path;  // empty: no map (NOPRINT)
  std::string map;
};

// Links `command`; reads the inputs through `files`.
LinkOutcome Link(const LinkCommand& command, FileSource* files);

// Program Size: data=9.0 xdata=0 code=18
std::string FormatProgramSize(const LinkOutcome& outcome);
// LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)
std::string FormatLinkSummary(int warnings, int errors);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_LINKER_H_
