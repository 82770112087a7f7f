#include "sim/library_run.h"

namespace c51::sim {

bool ReadTransferCommand(const std::vector<std::string>& args, Console* console,
                         LinkCommand* command) {
  std::string text, err;
  if (!ReadLinkCommandText(args, &text, &err)) {
    console->Line("*** ERROR 210: CAN'T READ COMMAND");
    console->Line("    REASON:  " + err);
    return false;
  }
  bool parsed = ParseLinkCommand(text, command, &err);
  if (parsed && !command->transfer) {
    err = "ONLY TRANSFER IS KNOWN";
    parsed = false;
  } else if (parsed && command->output.empty()) {
    err = "MISSING TO <library>";
    parsed = false;
  }
  if (!parsed) {
    console->Line("*** ERROR 250: SYNTAX ERROR IN COMMAND");
    console->Line("    REASON:  " + err);
  }
  return parsed;
}

int FinishLibraryRun(Console* console, int errors) {
  console->Line("");
  console->Line("LIBRARY MANAGER RUN COMPLETE.  0 WARNING(S),  " + std::to_string(errors) +
                " ERROR(S)");
  return errors > 0 ? kExitErrors : kExitOkay;
}

}  // namespace c51::sim
