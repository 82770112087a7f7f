#include "sim/library_run.h"

#include "sim/files.h"

namespace c51::sim {

namespace {

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

// The summary line; the exit code for `errors`.
int Finish(Console* console, int errors) {
  console->Line("");
  console->Line("LIBRARY MANAGER RUN COMPLETE.  0 WARNING(S),  " + std::to_string(errors) +
                " ERROR(S)");
  return ExitStatus(0, errors);
}

}  // namespace

int RunLibraryManager(std::string_view banner, std::string_view header,
                      const std::vector<std::string>& args, const AddModules& add,
                      Console* console) {
  console->Line(banner);
  console->Line("");
  LinkCommand command;
  if (!ReadTransferCommand(args, console, &command)) return Finish(console, 1);

  int errors = 0;
  std::string library(header);
  size_t count = 0;
  for (const LinkInput& input : command.inputs) {
    std::string bytes;
    if (ReadFile(input.path, &bytes) != ReadResult::kOkay) {
      console->Line("*** ERROR 210: CAN'T OPEN FILE");
      console->Line("    FILE:    " + input.path);
      ++errors;
      continue;
    }
    errors += add(input.path, bytes, console, &library, &count);
  }
  if (errors > 0) {
    RemoveFile(command.output);
    return Finish(console, errors);
  }
  std::string err;
  if (!WriteFile(command.output, library, &err)) {
    console->Line("*** ERROR 212: CAN'T CREATE LIBRARY");
    console->Line("    REASON:  " + err);
    return Finish(console, 1);
  }
  console->Line("LIBRARY " + command.output + ": " + std::to_string(count) + " MODULE(S)");
  return Finish(console, 0);
}

void ReportInvalidObject(Console* console, const std::string& shown, const std::string& reason) {
  console->Line("*** ERROR 211: INVALID OBJECT FILE");
  console->Line("    FILE:    " + shown);
  console->Line("    REASON:  " + reason);
}

}  // namespace c51::sim
