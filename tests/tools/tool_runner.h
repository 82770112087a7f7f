// Starts a tool from one command line as the build engine does: a text of
// ours (the local code page) handed to the tool as the system's text, split
// by the Windows argument rules, "\" made "/" in the program path on POSIX,
// run in a given folder; standard output and standard error are captured
// together and read back into the local code page.
#ifndef C51_TESTS_TOOLS_TOOL_RUNNER_H_
#define C51_TESTS_TOOLS_TOOL_RUNNER_H_

#include <string>

namespace c51::test {

struct ToolRun {
  int exit_code = -1;
  std::string output;         // in the local code page, as the build reads it
  std::string system_output;  // the bytes the tool wrote
};

// False with `err` when the program could not be started or waited for.
bool RunCommandLine(const std::string& command_line, const std::string& cwd, ToolRun* run,
                    std::string* err);

}  // namespace c51::test

#endif  // C51_TESTS_TOOLS_TOOL_RUNNER_H_
