// The simulated object-to-hex converter:
//   OH51.exe "<program>" [HEXFILE(<hex file>)]
// writes the program's code as Intel HEX to the program's path with the
// extension ".hex" (added when the name has none); code bank n goes to the
// 64 KB page n.
#include <algorithm>
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/intel_hex.h"
#include "sim/linker.h"

namespace c51::sim {
namespace {

int Fail(Console* console, const std::string& message) {
  console->Line("*** FATAL ERROR: " + message);
  console->Line("");
  console->Line("OH51 RUN COMPLETE.  1 ERROR(S)");
  return kExitFatal;
}

int Run(int argc, char** argv) {
  Console console;
  console.Line("OH51 SIMULATED OBJECT TO HEX CONVERTER V1.00");
  console.Line("");
  const std::vector<std::string> args = ProgramArguments(argc, argv);
  if (args.empty()) return Fail(&console, "MISSING INPUT FILE NAME");
  const std::string& input = args[0];
  std::string hex_path = ReplaceExtension(input, ".hex");
  std::vector<Control> controls;
  std::string err;
  size_t offset;
  if (!ParseControls(JoinArguments(args, 1), &controls, &err, &offset)) return Fail(&console, err);
  for (const Control& control : controls) {
    if (control.name == "HEXFILE" && control.has_argument) hex_path = Unquote(control.argument);
  }

  std::string text;
  if (ReadFile(input, &text) != ReadResult::kOkay) {
    return Fail(&console, "CAN'T OPEN FILE '" + input + "'");
  }
  Program program;
  if (!ParseProgram(text, &program, &err)) return Fail(&console, err + ": '" + input + "'");
  std::vector<HexChunk> chunks;
  for (ProgramSegment& segment : program.segments) {
    const uint32_t page = segment.bank == kCommonArea ? 0 : static_cast<uint32_t>(segment.bank);
    chunks.push_back(HexChunk{page * 0x10000 + segment.address, std::move(segment.bytes)});
  }
  std::stable_sort(chunks.begin(), chunks.end(),
                   [](const HexChunk& a, const HexChunk& b) { return a.address < b.address; });
  if (!WriteFile(hex_path, FormatIntelHex(chunks), &err)) return Fail(&console, err);
  console.Line("GENERATING INTEL HEX FILE: " + hex_path);
  console.Line("");
  console.Line("OH51 RUN COMPLETE.  0 ERROR(S)");
  return kExitOkay;
}

}  // namespace
}  // namespace c51::sim

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("OH51", [&] { return c51::sim::Run(argc, argv); });
}
