// The simulated library manager; it knows one command:
//   Lib51.exe @"<command file>"   holding   TRANSFER a.obj, b.obj TO "x.lib"
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/files.h"
#include "sim/library_run.h"
#include "sim/link_command.h"
#include "sim/object_module.h"

namespace c51::sim {
namespace {

int Run(int argc, char** argv) {
  Console console;
  console.Line("LIB51 SIMULATED LIBRARY MANAGER V1.00");
  console.Line("");
  const std::vector<std::string> args = ProgramArguments(argc, argv);
  LinkCommand command;
  if (!ReadTransferCommand(args, &console, &command)) return FinishLibraryRun(&console, 1);

  std::string err;
  int errors = 0;
  std::string library(kLibraryHeader);
  size_t count = 0;
  for (const LinkInput& input : command.inputs) {
    std::string bytes;
    std::vector<ObjectModule> modules;
    if (ReadFile(input.path, &bytes) != ReadResult::kOkay) {
      console.Line("*** ERROR 210: CAN'T OPEN FILE");
      console.Line("    FILE:    " + input.path);
      ++errors;
      continue;
    }
    if (!ParseModules(bytes, &modules, &err)) {
      console.Line("*** ERROR 211: INVALID OBJECT FILE");
      console.Line("    FILE:    " + input.path);
      console.Line("    REASON:  " + err);
      ++errors;
      continue;
    }
    for (const ObjectModule& module : modules) library += FormatModule(module);
    count += modules.size();
  }
  if (errors > 0) {
    RemoveFile(command.output);
    return FinishLibraryRun(&console, errors);
  }
  if (!WriteFile(command.output, library, &err)) {
    console.Line("*** ERROR 212: CAN'T CREATE LIBRARY");
    console.Line("    REASON:  " + err);
    return FinishLibraryRun(&console, 1);
  }
  console.Line("LIBRARY " + command.output + ": " + std::to_string(count) + " MODULE(S)");
  return FinishLibraryRun(&console, 0);
}

}  // namespace
}  // namespace c51::sim

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("LIB51", [&] { return c51::sim::Run(argc, argv); });
}
