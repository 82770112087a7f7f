// The simulated macro assembler:
//   A51.exe "<source>" <controls>     (OBJECT(...) and PR(...) among them)
#include <string>
#include <vector>

#include "platform/fs.h"
#include "sim/command_line.h"
#include "sim/console.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/translation.h"
#include "sim/translation_end.h"

namespace c51::sim {
namespace {

constexpr ControlRule kRules[] = {
    {"NOMACRO", ArgumentUse::kNone},    {"MPL", ArgumentUse::kNone},
    {"GEN", ArgumentUse::kNone},        {"GENONLY", ArgumentUse::kNone},
    {"NOGEN", ArgumentUse::kNone},      {"NOMOD51", ArgumentUse::kNone},
    {"MOD51", ArgumentUse::kNone},      {"SET", ArgumentUse::kRequired},
    {"RESET", ArgumentUse::kRequired},  {"DEBUG", ArgumentUse::kNone},
    {"INCDIR", ArgumentUse::kRequired}, {"NOPRINT", ArgumentUse::kNone},
    {"PRINT", ArgumentUse::kOptional},  {"PR", ArgumentUse::kOptional},
    {"NOCOND", ArgumentUse::kNone},     {"COND", ArgumentUse::kNone},
    {"NOSYMBOLS", ArgumentUse::kNone},  {"SYMBOLS", ArgumentUse::kNone},
    {"XREF", ArgumentUse::kNone},       {"OBJECT", ArgumentUse::kOptional},
    {"NOOBJECT", ArgumentUse::kNone},   {"EP", ArgumentUse::kOptional},
};

int Run(int argc, char** argv) {
  Console console;
  const std::vector<std::string> args = ProgramArguments(argc, argv);
  auto fatal = [&console](const std::string& line, const std::string& error) {
    return FailInvocation(&console, Banner(Dialect::kAssembly), "A51", line, error);
  };
  if (args.empty()) return fatal("", "MISSING SOURCE FILE NAME");
  TranslateRequest request;
  request.dialect = Dialect::kAssembly;
  request.source = args[0];
  const std::string controls_text = JoinArguments(args, 1);
  request.invocation = JoinArguments(args, 0);
  std::vector<Control> controls;
  std::string err;
  size_t offset = 0;
  if (!ParseControls(controls_text, &controls, &err, &offset) ||
      !CheckControls(controls, kRules, &err)) {
    return fatal(controls_text, err);
  }

  const std::string stem(WithoutExtension(request.source, kToolBreaks));
  request.object_path = stem + ".obj";
  std::vector<std::string> incdirs;
  for (const Control& control : controls) {
    const std::string file(Unquote(control.argument));
    const std::string& name = control.name;
    if (name == "OBJECT") request.object_path = control.has_argument ? file : stem + ".obj";
    if (name == "NOOBJECT") request.object_path.clear();
    if (name == "PRINT" || name == "PR") {
      request.print_path = control.has_argument ? file : stem + ".lst";
    }
    if (name == "NOPRINT") request.print_path.clear();
    if (name == "SET") {
      // The build passes the memory model as the first symbol of SET.
      for (const std::string& symbol : SplitArgumentList(control.argument, ',')) {
        const std::string upper = ToUpper(symbol);
        if (upper == "SMALL" || upper == "COMPACT" || upper == "LARGE") request.model = upper;
      }
    }
    if (name == "INCDIR") {
      for (std::string& dir : SplitArgumentList(control.argument, ';')) {
        if (!dir.empty()) incdirs.push_back(std::move(dir));
      }
    }
  }
  for (std::string& dir : EnvironmentIncludeDirs()) incdirs.push_back(std::move(dir));
  request.controls = NormalizeControls(controls);
  request.scan.dialect = Dialect::kAssembly;
  request.scan.include_dirs = std::move(incdirs);
  request.scan.cwd = CurrentDirectory();
  RealFileSource files;
  return Translate(request, &files, &console);
}

}  // namespace
}  // namespace c51::sim

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("A51", [&] { return c51::sim::Run(argc, argv); });
}
