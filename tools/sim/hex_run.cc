#include "sim/hex_run.h"

#include <algorithm>

#include "sim/command_line.h"
#include "sim/controls.h"
#include "sim/files.h"

namespace c51::sim {

namespace {

int Fail(Console* console, const std::string& message) {
  console->Line("*** FATAL ERROR: " + message);
  console->Line("");
  console->Line("OH51 RUN COMPLETE.  1 ERROR(S)");
  return kExitFatal;
}

}  // namespace

int RunHexConverter(std::string_view banner, const std::vector<std::string>& args,
                    const ProgramChunks& make_chunks, Console* console) {
  console->Line(banner);
  console->Line("");
  if (args.empty()) return Fail(console, "MISSING INPUT FILE NAME");
  const std::string& input = args[0];
  std::string hex_path = WithExtension(input, "hex");
  std::vector<Control> controls;
  std::string err;
  size_t offset;
  if (!ParseControls(JoinArguments(args, 1), &controls, &err, &offset)) return Fail(console, err);
  for (const Control& control : controls) {
    if (control.name == "HEXFILE" && control.has_argument) {
      hex_path = std::string(Unquote(control.argument));
    }
  }

  std::string text;
  if (ReadFile(input, &text) != ReadResult::kOkay) {
    return Fail(console, "CAN'T OPEN FILE '" + input + "'");
  }
  Program program;
  if (!ParseProgram(text, &program, &err)) return Fail(console, err + ": '" + input + "'");
  std::vector<HexChunk> chunks;
  if (!make_chunks(&program, &chunks, &err)) return Fail(console, err + ": '" + input + "'");
  std::stable_sort(chunks.begin(), chunks.end(),
                   [](const HexChunk& a, const HexChunk& b) { return a.address < b.address; });
  if (!WriteFile(hex_path, FormatIntelHex(chunks), &err)) return Fail(console, err);
  console->Line("GENERATING INTEL HEX FILE: " + hex_path);
  console->Line("");
  console->Line("OH51 RUN COMPLETE.  0 ERROR(S)");
  return kExitOkay;
}

}  // namespace c51::sim
