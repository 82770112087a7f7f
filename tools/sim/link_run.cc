#include "sim/link_run.h"

namespace c51::sim {

namespace {

// LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)
int Finish(Console* console, int warnings, int errors, bool fatal) {
  console->Line("");
  console->Line(FormatLinkSummary(warnings, errors));
  return fatal ? kExitFatal : ExitStatus(warnings, errors);
}

}  // namespace

int RunLinker(std::string_view banner, const std::vector<std::string>& args,
              const LinkFunction& link, Console* console) {
  console->Line(banner);
  console->Line("");
  std::string text, err;
  if (!ReadLinkCommandText(args, &text, &err)) {
    console->Line("*** FATAL ERROR L210: I/O ERROR ON COMMAND FILE:");
    console->Line("    REASON:  " + err);
    return Finish(console, 0, 1, true);
  }
  LinkCommand command;
  bool parsed = ParseLinkCommand(text, &command, &err);
  if (parsed && command.transfer) {
    err = "TRANSFER IS A LIBRARY MANAGER COMMAND";
    parsed = false;
  }
  if (!parsed) {
    console->Line("*** FATAL ERROR L250: SYNTAX ERROR IN COMMAND");
    console->Line("    REASON:  " + err);
    return Finish(console, 0, 1, true);
  }

  RealFileSource files;
  LinkOutcome outcome = link(command, &files);
  for (const std::string& line : outcome.lines) console->Line(line);
  if (outcome.fatal) return Finish(console, outcome.warnings, outcome.errors, true);

  console->Line("");
  console->Line(FormatProgramSize(outcome));
  if (outcome.errors > 0) {
    // A program left from an earlier run must not pass for this one.
    RemoveFile(outcome.output);
  } else if (!WriteFile(outcome.output, FormatProgram(outcome.program), &err)) {
    console->Line("*** FATAL ERROR L212: CAN'T CREATE OUTPUT FILE");
    console->Line("    REASON:  " + err);
    return Finish(console, outcome.warnings, outcome.errors + 1, true);
  }
  if (!outcome.map_path.empty() && !WriteFile(outcome.map_path, outcome.map, &err)) {
    console->Line("*** WARNING L213: CAN'T CREATE MAP FILE");
    console->Line("    REASON:  " + err);
    outcome.warnings += 1;
  }
  return Finish(console, outcome.warnings, outcome.errors, false);
}

}  // namespace c51::sim
