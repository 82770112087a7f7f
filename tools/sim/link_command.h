// The command of the linker and the library manager, as the build writes it
// into the ".lnp" command file (or as it would stand on a command line):
//
//   ".\Debug\main.obj",
//   BANK1 {".\Debug\b1.obj"},
//   ".\Debug\start.obj"
//   TO ".\Debug\prog"
//   RAMSIZE(256)
//   CODE( 0x0000-0x1FFF )
//
// and for the library manager "TRANSFER " + list + "TO "lib"". Objects are
// quoted or bare names separated by ","; "BANKn {...}" and "COMMON {...}"
// group objects; everything after the TO name is the control string. The
// text ends at its first NUL byte (the build ends the file with one).
#ifndef C51_TOOLS_SIM_LINK_COMMAND_H_
#define C51_TOOLS_SIM_LINK_COMMAND_H_

#include <string>
#include <string_view>
#include <vector>

#include "sim/controls.h"

namespace c51::sim {

constexpr int kCommonArea = -1;

struct LinkInput {
  std::string path;
  int bank = kCommonArea;  // 0..63 for "BANKn {...}"
};

struct LinkCommand {
  bool transfer = false;  // began with TRANSFER (library manager)
  std::vector<LinkInput> inputs;
  std::string output;  // the TO name; empty when there is no TO
  std::vector<Control> controls;
};

// False with `err` (upper case, for the tool's error line) on a text that
// does not follow the grammar above.
bool ParseLinkCommand(std::string_view text, LinkCommand* command, std::string* err);

// The command text of a run: the command file's contents when the first
// argument is "@file", else the arguments joined with blanks. False with
// `err` when the command file cannot be read.
bool ReadLinkCommandText(const std::vector<std::string>& args, std::string* text, std::string* err);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_LINK_COMMAND_H_
