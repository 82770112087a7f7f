// Running sdcc's programs from the tools: where they are, and one run with
// its output captured.
#ifndef C51_TOOLS_SDCC_RUN_PROGRAM_H_
#define C51_TOOLS_SDCC_RUN_PROGRAM_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// The path of one of sdcc's programs ("sdcc", "sdas8051", "sdld", "sdar",
// "packihx"), in the system's text: inside the folder C51_SDCC_BIN names when it is set, else the
// first match on PATH, else in the folder sdcc was found in when the
// toolchain was built (the build narrows PATH to the project's folder while
// tools run), else /usr/local/bin or /usr/bin. Empty when there is none.
std::string FindSdccProgram(std::string_view name);

struct ProgramRun {
  bool started = false;  // false: the program could not be started
  int exit_code = -1;    // 128 + n when signal n ended it
  // Standard output and standard error, interleaved, in the local code page
  // (SystemToLocalText), so it maps into our messages like any text of ours.
  std::string output;
};

// Runs `program` with `args` (not including the program itself) in the
// current folder and waits for it. Standard input reads nothing. The
// program and the arguments are the system's texts: file names through
// NativePath (platform/path.h), never our local ones.
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args);

// RunProgram with standard output kept apart: its bytes as the program
// wrote them go to `standard_output`, and ProgramRun::output holds standard
// error alone. For a program whose output is data (a preprocessor writing
// its text), so no file has to be written and read back.
ProgramRun RunProgramKeepingOutput(const std::string& program, const std::vector<std::string>& args,
                                   std::string* standard_output);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_RUN_PROGRAM_H_
