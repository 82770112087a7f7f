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
#include "sim/library_run.h"

namespace c51::sdcc {
namespace {

using c51::sim::Console;

// Adds the inputs' modules, checking each public symbol against those of
// the modules before it.
class RelModuleAdder {
 public:
  int operator()(const std::string& path, const std::string& bytes, Console* console,
                 std::string* library, size_t* count) {
    std::vector<RelModule> modules;
    std::string err;
    bool valid = ParseRelModules(bytes, &modules, &err);
    if (valid && modules.empty()) {
      err = "NO MODULES";
      valid = false;
    }
    if (!valid) {
      c51::sim::ReportInvalidObject(console, path, err);
      return 1;
    }
    int errors = 0;
    for (const RelModule& module : modules) {
      const std::string shown = path + " (" + module.name + ")";
      RelSymbols symbols;
      if (!ScanRel(module.rel, &symbols, &err)) {
        c51::sim::ReportInvalidObject(console, shown, err);
        ++errors;
        continue;
      }
      for (const std::string& symbol : symbols.publics) {
        auto [owner, added] = owners_.emplace(symbol, shown);
        if (added) continue;
        console->Line("*** ERROR 213: DUPLICATE PUBLIC SYMBOL");
        console->Line("    SYMBOL:  " + DisplaySymbol(symbol));
        console->Line("    MODULE:  " + owner->second);
        console->Line("    MODULE:  " + shown);
        ++errors;
      }
      *library += FormatRelModule(module);
      ++*count;
    }
    return errors;
  }

 private:
  std::map<std::string, std::string> owners_;  // public symbol => "file (MODULE)"
};

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("LIB51", [&] {
    c51::sim::Console console;
    return c51::sim::RunLibraryManager(
        "LIB51 LIBRARY MANAGER FOR SDCC V1.00", c51::sdcc::kRelLibraryHeader,
        c51::sim::ProgramArguments(argc, argv), c51::sdcc::RelModuleAdder(), &console);
  });
}
