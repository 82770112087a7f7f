// The assembler on sdcc:
//   A51.exe "<source>" <controls>     (OBJECT(...), PR(...), SET(...) among them)
// The same command line, messages, summary and exit codes as the simulated
// assembler; the source is in sdas8051's syntax (assembler_run.h).
#include <string>
#include <vector>

#include "sdcc/compile/assembler_run.h"
#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/translation.h"
#include "sim/translation_end.h"

namespace c51::sdcc {
namespace {

int Run(int argc, char** argv) {
  sim::Console console;
  const std::vector<std::string> args = sim::ProgramArguments(argc, argv);
  auto fatal = [&console](const std::string& line, const std::string& error) {
    return sim::FailInvocation(&console, AssemblerBanner(), "A51", line, error);
  };
  if (args.empty()) return fatal("", "MISSING SOURCE FILE NAME");
  AssembleRequest request;
  request.source = args[0];
  request.invocation = sim::JoinArguments(args, 0);
  request.include_dirs = sim::EnvironmentIncludeDirs();
  const std::string controls_text = sim::JoinArguments(args, 1);
  std::string err;
  if (!ParseAssemblerControls(controls_text, &request, &err)) return fatal(controls_text, err);
  return Assemble(request, &console);
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("A51", [&] { return c51::sdcc::Run(argc, argv); });
}
