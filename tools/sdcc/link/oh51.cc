// The object-to-hex converter for programs the sdcc linker wrote:
//   OH51.exe "<program>" [HEXFILE(<hex file>)]
// writes the program's code as Intel HEX to the program's path with the
// extension ".hex" (added when the name has none).
#include <algorithm>
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/intel_hex.h"
#include "sim/linker.h"

namespace c51::sdcc {
namespace {

using c51::sim::Console;

int Fail(Console* console, const std::string& message) {
  console->Line("*** FATAL ERROR: " + message);
  console->Line("");
  console->Line("OH51 RUN COMPLETE.  1 ERROR(S)");
  return c51::sim::kExitFatal;
}

int Run(int argc, char** argv) {
  Console console;
  console.Line("OH51 OBJECT TO HEX CONVERTER FOR SDCC V1.00");
  console.Line("");
  const std::vector<std::string> args = c51::sim::ProgramArguments(argc, argv);
  if (args.empty()) return Fail(&console, "MISSING INPUT FILE NAME");
  const std::string& input = args[0];
  std::string hex_path = c51::sim::ReplaceExtension(input, ".hex");
  std::vector<c51::sim::Control> controls;
  std::string err;
  size_t offset;
  if (!c51::sim::ParseControls(c51::sim::JoinArguments(args, 1), &controls, &err, &offset)) {
    return Fail(&console, err);
  }
  for (const c51::sim::Control& control : controls) {
    if (control.name == "HEXFILE" && control.has_argument) {
      hex_path = std::string(c51::sim::Unquote(control.argument));
    }
  }

  std::string text;
  if (c51::sim::ReadFile(input, &text) != c51::sim::ReadResult::kOkay) {
    return Fail(&console, "CAN'T OPEN FILE '" + input + "'");
  }
  c51::sim::Program program;
  if (!c51::sim::ParseProgram(text, &program, &err))
    return Fail(&console, err + ": '" + input + "'");
  std::vector<c51::sim::HexChunk> chunks;
  for (c51::sim::ProgramSegment& segment : program.segments) {
    // The sdcc linker writes no banks; a banked program came from elsewhere.
    if (segment.bank != c51::sim::kCommonArea) {
      return Fail(&console, "CODE BANKS NOT SUPPORTED: '" + input + "'");
    }
    chunks.push_back(c51::sim::HexChunk{segment.address, std::move(segment.bytes)});
  }
  std::stable_sort(chunks.begin(), chunks.end(),
                   [](const c51::sim::HexChunk& a, const c51::sim::HexChunk& b) {
                     return a.address < b.address;
                   });
  if (!c51::sim::WriteFile(hex_path, c51::sim::FormatIntelHex(chunks), &err)) {
    return Fail(&console, err);
  }
  console.Line("GENERATING INTEL HEX FILE: " + hex_path);
  console.Line("");
  console.Line("OH51 RUN COMPLETE.  0 ERROR(S)");
  return c51::sim::kExitOkay;
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("OH51", [&] { return c51::sdcc::Run(argc, argv); });
}
