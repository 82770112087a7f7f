// What the tools print. Every line ends in "\r\n" on every platform: the
// build's output filter cuts lines only there and drops a last line without
// one. Lines are texts of ours (the local code page); they leave the
// process as the system's text (UTF-8 on POSIX), as the build expects.
#ifndef C51_TOOLS_SIM_CONSOLE_H_
#define C51_TOOLS_SIM_CONSOLE_H_

#include <exception>
#include <string>
#include <string_view>

namespace c51::sim {

class Console {
 public:
  Console();  // Windows: standard output to binary mode, so "\r\n" stays as it is
  ~Console();
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  void Line(std::string_view text);
  // Hands what was written to the system, before the program ends
  // without its destructors.
  void Flush();
};

// Exit codes, as the real tools use them.
enum ExitCode { kExitOkay = 0, kExitWarnings = 1, kExitErrors = 2, kExitFatal = 3 };

// The exit code of a run that ended with these counts; a run ended by a
// fatal error returns kExitFatal instead.
inline int ExitStatus(int warnings, int errors) {
  if (errors > 0) return kExitErrors;
  return warnings > 0 ? kExitWarnings : kExitOkay;
}

// The fatal block of the compiler and the assembler; the build's filter
// passes it on from the line holding "FATAL-ERROR":
//   C51 FATAL-ERROR -
//     ACTION:  PARSING SOURCE-FILE
//     LINE:    #include "missing.h"          (when `line_text` is not empty)
//     ERROR:   CAN'T OPEN FILE 'missing.h'
//     FILE:    .\main.c, LINE 3              (when `file` is not empty)
//   C51 TERMINATED.
struct FatalError {
  std::string action;
  std::string line_text;
  std::string error;
  std::string file;
  int line = 0;
};
void PrintFatalBlock(Console* console, std::string_view tool, const FatalError& fatal);

// Runs a tool's body; an exception that reaches here becomes a fatal line
// in the tool's layout and exit code 3 instead of an abort.
template <typename Body>
int GuardedMain(std::string_view tool, Body&& body) {
  try {
    return body();
  } catch (const std::exception& e) {
    Console console;
    PrintFatalBlock(&console, tool, FatalError{"RUNNING", "", e.what(), "", 0});
  } catch (...) {
    Console console;
    PrintFatalBlock(&console, tool, FatalError{"RUNNING", "", "UNEXPECTED FAILURE", "", 0});
  }
  return kExitFatal;
}

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_CONSOLE_H_
