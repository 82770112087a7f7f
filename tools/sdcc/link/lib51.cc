// The library manager for sdcc objects; it knows one command:
//   Lib51.exe @"<command file>"   holding   TRANSFER a.obj, b.obj TO "x.lib"
// and writes a new library of every module of the inputs (objects or other
// libraries). A module that is not an sdcc relocatable, or a public symbol
// two modules define, fails the run and leaves no library behind: the
// linker would pick one definition silently.
#include <map>
#include <string>
#include <vector>

#include "sdcc/link/rel_symbols.h"
#include "sdcc/rel_object.h"
#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/files.h"
#include "sim/library_run.h"
#include "sim/link_command.h"

namespace c51::sdcc {
namespace {

using c51::sim::Console;

int Run(int argc, char** argv) {
  Console console;
  console.Line("LIB51 LIBRARY MANAGER FOR SDCC V1.00");
  console.Line("");
  const std::vector<std::string> args = c51::sim::ProgramArguments(argc, argv);
  c51::sim::LinkCommand command;
  if (!c51::sim::ReadTransferCommand(args, &console, &command))
    return c51::sim::FinishLibraryRun(&console, 1);

  std::string err;
  int errors = 0;
  std::string library(kRelLibraryHeader);
  size_t count = 0;
  std::map<std::string, std::string> owners;  // public symbol => "file (MODULE)"
  for (const c51::sim::LinkInput& input : command.inputs) {
    std::string bytes;
    std::vector<RelModule> modules;
    if (c51::sim::ReadFile(input.path, &bytes) != c51::sim::ReadResult::kOkay) {
      console.Line("*** ERROR 210: CAN'T OPEN FILE");
      console.Line("    FILE:    " + input.path);
      ++errors;
      continue;
    }
    bool valid = ParseRelModules(bytes, &modules, &err);
    if (valid && modules.empty()) {
      err = "NO MODULES";
      valid = false;
    }
    if (!valid) {
      console.Line("*** ERROR 211: INVALID OBJECT FILE");
      console.Line("    FILE:    " + input.path);
      console.Line("    REASON:  " + err);
      ++errors;
      continue;
    }
    for (const RelModule& module : modules) {
      const std::string shown = input.path + " (" + module.name + ")";
      RelSymbols symbols;
      if (!ScanRel(module.rel, &symbols, &err)) {
        console.Line("*** ERROR 211: INVALID OBJECT FILE");
        console.Line("    FILE:    " + shown);
        console.Line("    REASON:  " + err);
        ++errors;
        continue;
      }
      for (const std::string& symbol : symbols.publics) {
        auto [owner, added] = owners.emplace(symbol, shown);
        if (added) continue;
        console.Line("*** ERROR 213: DUPLICATE PUBLIC SYMBOL");
        console.Line("    SYMBOL:  " + DisplaySymbol(symbol));
        console.Line("    MODULE:  " + owner->second);
        console.Line("    MODULE:  " + shown);
        ++errors;
      }
      library += FormatRelModule(module);
      ++count;
    }
  }
  if (errors > 0) {
    c51::sim::RemoveFile(command.output);
    return c51::sim::FinishLibraryRun(&console, errors);
  }
  if (!c51::sim::WriteFile(command.output, library, &err)) {
    console.Line("*** ERROR 212: CAN'T CREATE LIBRARY");
    console.Line("    REASON:  " + err);
    return c51::sim::FinishLibraryRun(&console, 1);
  }
  console.Line("LIBRARY " + command.output + ": " + std::to_string(count) + " MODULE(S)");
  return c51::sim::FinishLibraryRun(&console, 0);
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("LIB51", [&] { return c51::sdcc::Run(argc, argv); });
}
