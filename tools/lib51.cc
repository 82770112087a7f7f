// The simulated library manager; it knows one command:
//   Lib51.exe @"<command file>"   holding   TRANSFER a.obj, b.obj TO "x.lib"
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/library_run.h"
#include "sim/object_module.h"

namespace c51::sim {
namespace {

int AddSimulatedModules(const std::string& path, const std::string& bytes, Console* console,
                        std::string* library, size_t* count) {
  std::vector<ObjectModule> modules;
  std::string err;
  if (!ParseModules(bytes, &modules, &err)) {
    ReportInvalidObject(console, path, err);
    return 1;
  }
  for (const ObjectModule& module : modules) *library += FormatModule(module);
  *count += modules.size();
  return 0;
}

}  // namespace
}  // namespace c51::sim

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("LIB51", [&] {
    c51::sim::Console console;
    return c51::sim::RunLibraryManager(
        "LIB51 SIMULATED LIBRARY MANAGER V1.00", c51::sim::kLibraryHeader,
        c51::sim::ProgramArguments(argc, argv), c51::sim::AddSimulatedModules, &console);
  });
}
