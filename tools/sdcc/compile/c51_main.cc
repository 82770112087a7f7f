// The compiler on sdcc:
//   C51.exe "<source>" <controls> [OBJECT("<object>")] [SRC ("<assembly>")]
// The same command line, messages, summary and exit codes as the simulated
// compiler; the object holds sdcc's relocatable behind the dependency record.
#include <string>
#include <vector>

#include "sdcc/compile/compile_options.h"
#include "sdcc/compile/compiler_run.h"
#include "sim/command_line.h"
#include "sim/compiler_controls.h"
#include "sim/console.h"
#include "sim/controls.h"
#include "sim/translation.h"
#include "sim/translation_end.h"

namespace c51::sdcc {
namespace {

int Run(int argc, char** argv) {
  sim::Console console;
  const std::vector<std::string> args = sim::ProgramArguments(argc, argv);
  auto fatal = [&console](const std::string& line, const std::string& error) {
    return sim::FailInvocation(&console, CompilerBanner(), "C51", line, error);
  };
  if (args.empty()) return fatal("", "MISSING SOURCE FILE NAME");
  CompileRequest request;
  request.source = args[0];
  request.invocation = sim::JoinArguments(args, 0);
  const std::string controls_text = sim::JoinArguments(args, 1);
  std::vector<sim::Control> controls;
  std::string err;
  size_t offset = 0;
  request.include_dirs = sim::EnvironmentIncludeDirs();
  if (!sim::ParseControls(controls_text, &controls, &err, &offset) ||
      !sim::CheckControls(controls, sim::CompilerControlRules(), &err) ||
      !ApplyCompilerControls(controls, &request, &err)) {
    return fatal(controls_text, err);
  }
  request.controls = sim::NormalizeControls(controls);
  return Compile(request, &console);
}

}  // namespace
}  // namespace c51::sdcc

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("C51", [&] { return c51::sdcc::Run(argc, argv); });
}
