// The linker/locater that links with sdcc:
//   BL51.exe @"<command file>"      or      BL51.exe a.obj, b.obj TO prog <controls>
// The same command, messages and summary as the simulated linker; the
// program it writes holds code sdcc linked for a real 8051.
#include <string>
#include <vector>

#include "sdcc/link/sdcc_linker.h"
#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/link_command.h"
#include "sim/linker.h"

namespace c51::sdcc {
namespace {

using c51::sim::Console;

int Finish(Console* console, int warnings, int errors, bool fatal) {
  console->Line("");
  console->Line(c51::sim::FormatLinkSummary(warnings, errors));
  if (fatal) return c51::sim::kExitFatal;
  if (errors > 0) return c51::sim::kExitErrors;
  return warnings > 0 ? c51::sim::kExitWarnings : c51::sim::kExitOkay;
}

int Run(int argc, char** argv) {
  Console console;
  console.Line(kLinkerBanner);
  console.Line("");
  const std::vector<std::string> args = c51::sim::ProgramArguments(argc, argv);
  std::string text, err;
  if (!c51::sim::ReadLinkCommandText(args, &text, &err)) {
    console.Line("*** FATAL ERROR L210: I/O ERROR ON COMMAND FILE:");
    console.Line("    REASON:  " + err);
    return Finish(&console, 0, 1, true);
  }
  c51::sim::LinkCommand command;
  bool parsed = c51::sim::ParseLinkCommand(text, &command, &err);
  if (parsed && command.transfer) {
    err = "TRANSFER IS A LIBRARY MANAGER COMMAND";
    parsed = false;
  }
  if (!parsed) {
    console.Line("*** FATAL ERROR L250: SYNTAX ERROR IN COMMAND");
    console.Line("    REASON:  " + err);
    return Finish(&console, 0, 1, true);
  }

  c51::sim::RealFileSource files;
  c51::sim::LinkOutcome outcome = LinkWithSdcc(command, &files);
  for (const std::string& line : outcome.lines) console.Line(line);
  if (outcome.fatal) {
    c51::sim::RemoveFile(outcome.output);
    return Finish(&console, outcome.warnings, outcome.errors, true);
  }

  console.Line("");
  console.Line(c51::sim::FormatProgramSize(outcome));
  if (outcome.errors > 0) {
    // A program left from an earlier run must not pass for this one.
    c51::sim::RemoveFile(outcome.output);
  } else if (!c51::sim::WriteFile(outcome.output, c51::sim::FormatProgram(outcome.program), &err)) {
    console.Line("*** FATAL ERROR L212: CAN'T CREATE OUTPUT FILE");
    console.Line("    REASON:  " + err);
    return Finish(&console, outcome.warnings, outcome.errors + 1, true);
  }
  if (!outcome.map_path.empty() && !c51::sim::WriteFile(outcome.map_path, outcome.map, &err)) {
    console.Line("*** WARNING L213: CAN'T CREATE MAP FILE");
    console.Line("    REASON:  " + err);
    outcome.warnings += 1;
  }
  return Finish(&console, outcome.warnings, outcome.errors, false);
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("BL51", [&] { return c51::sdcc::Run(argc, argv); });
}
