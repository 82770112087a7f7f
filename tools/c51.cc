// The simulated C compiler:
//   C51.exe "<source>" <controls> [OBJECT("<object>")] [SRC ("<assembly>")]
// Comment markers in the source script it (sim/source_scan.h): the
// diagnostics to report, SIM: SLEEP <milliseconds> to stay running a
// while, so a test can interrupt a build in the middle of a compile, and
// the faults of a process a build must survive: SIM: HANG (until killed)
// and SIM: FLOOD (output without end).
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "platform/codepage.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "sim/command_line.h"
#include "sim/compiler_controls.h"
#include "sim/console.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "sim/translation.h"
#include "sim/translation_end.h"

namespace c51::sim {
namespace {

// Checks the arguments the compiler gives a meaning to. Empty when fine.
std::string CheckArgument(const Control& control) {
  const std::string arg = ToUpper(control.argument);
  uint32_t value;
  auto number_in = [&](std::string_view text, uint32_t low, uint32_t high) {
    return ParseNumber(text, &value) && value >= low && value <= high;
  };
  bool ok = true;
  if (control.name == "ROM") {
    ok = arg == "SMALL" || arg == "COMPACT" || arg == "LARGE";
  } else if (control.name == "WARNINGLEVEL") {
    ok = number_in(arg, 0, 2);
  } else if (control.name == "FLOATFUZZY") {
    ok = number_in(arg, 0, 7);
  } else if (control.name == "INTVECTOR" && control.has_argument) {
    ok = number_in(arg, 0, 0xFFFF);
  } else if (control.name == "OPTIMIZE") {
    std::vector<std::string> items = SplitArgumentList(arg, ',');
    ok = !items.empty() && items.size() <= 2 && number_in(items[0], 0, 11) &&
         (items.size() == 1 || items[1] == "SIZE" || items[1] == "SPEED");
  }
  return ok ? std::string() : "BAD ARGUMENT FOR CONTROL '" + control.name + "'";
}

// Stays until killed, as a tool stuck in a loop or on a dead network drive
// does.
[[noreturn]] void Hang(ScanResult::Hang how) {
  if (how == ScanResult::Hang::kIgnoringInterrupts) std::signal(SIGINT, SIG_IGN);
  // Written only now: whoever reads the id knows the interrupt is already
  // ignored.
  std::string path;
  if (GetEnv("C51_SIM_PID_FILE", &path)) {
    std::string err;
    WriteWholeFile(path, std::to_string(CurrentProcessId()) + "\n", &err);
  }
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

// Writes the FLOOD markers' bytes: whole lines in blocks of about a
// megabyte, the last cut where the count ends.
void Flood(const ScanResult& scan, const std::string& source) {
  std::string line;
  if (scan.flood_warnings) {
    Diagnostic warning;
    warning.severity = Severity::kWarning;
    warning.code = "C280";
    warning.text = "'flood': unreferenced local variable";
    warning.file = source;
    warning.line = 1;
    line = LocalToSystemText(FormatDiagnostic(Dialect::kC, warning)) + "\r\n";
  } else {
    line = "SIM FLOOD: FILLER TEXT STANDING FOR A TOOL THAT WRITES WITHOUT END\r\n";
  }
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  for (uint64_t left = scan.flood_bytes; left > 0;) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(left, block.size()));
    if (std::fwrite(block.data(), 1, n, stdout) != n) break;
    left -= n;
  }
  std::fflush(stdout);
}

int Run(int argc, char** argv) {
  Console console;
  const std::vector<std::string> args = ProgramArguments(argc, argv);
  if (args.empty()) {
    return FailInvocation(&console, Banner(Dialect::kC), "C51", "", "MISSING SOURCE FILE NAME");
  }
  TranslateRequest request;
  request.dialect = Dialect::kC;
  request.source = args[0];
  const std::string controls_text = JoinArguments(args, 1);
  request.invocation = JoinArguments(args, 0);
  std::vector<Control> controls;
  std::string err;
  size_t offset = 0;
  bool ok = ParseControls(controls_text, &controls, &err, &offset) &&
            CheckControls(controls, CompilerControlRules(), &err);
  for (size_t i = 0; ok && i < controls.size(); ++i) {
    err = CheckArgument(controls[i]);
    ok = err.empty();
  }
  if (!ok) return FailInvocation(&console, Banner(Dialect::kC), "C51", controls_text, err);

  const std::string stem(WithoutExtension(request.source, kToolBreaks));
  request.object_path = stem + ".obj";
  std::vector<std::string> incdirs;
  for (const Control& control : controls) {
    const std::string file(Unquote(control.argument));
    const std::string& name = control.name;
    if (name == "SMALL" || name == "COMPACT" || name == "LARGE") request.model = name;
    if (name == "OBJECT") request.object_path = control.has_argument ? file : stem + ".obj";
    if (name == "NOOBJECT") request.object_path.clear();
    if (name == "SRC") request.src_path = control.has_argument ? file : stem + ".SRC";
    if (name == "PRINT" || name == "PR") {
      request.print_path = control.has_argument ? file : stem + ".lst";
    }
    if (name == "NOPRINT") request.print_path.clear();
    if (name == "PREPRINT") request.preprint_path = control.has_argument ? file : stem + ".i";
    if (name == "WARNINGLEVEL") request.warnings = control.argument != "0";
    if (name == "INCDIR") {
      for (std::string& dir : SplitArgumentList(control.argument, ';')) {
        if (!dir.empty()) incdirs.push_back(std::move(dir));
      }
    }
  }
  for (std::string& dir : EnvironmentIncludeDirs()) incdirs.push_back(std::move(dir));
  request.controls = NormalizeControls(controls);
  request.scan.dialect = Dialect::kC;
  request.scan.include_dirs = std::move(incdirs);
  request.scan.cwd = CurrentDirectory();
  request.scan.variables_in_xdata = request.model != "SMALL";
  RealFileSource files;
  // The markers about the process itself act around the translation.
  const ScanResult markers = ScanSource(request.source, request.scan, &files);
  if (markers.hang != ScanResult::Hang::kNo) Hang(markers.hang);
  const int code = Translate(request, &files, &console);
  if (markers.flood_bytes > 0) Flood(markers, request.source);
  return code;
}

}  // namespace
}  // namespace c51::sim

int main(int argc, char** argv) {
  return c51::sim::GuardedMain("C51", [&] { return c51::sim::Run(argc, argv); });
}
