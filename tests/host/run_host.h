// Runs the built corvane-c51 (beside the test program) as a process and
// collects its exit status, standard output and standard error.
#ifndef C51_TESTS_HOST_RUN_HOST_H_
#define C51_TESTS_HOST_RUN_HOST_H_

#include <string>
#include <vector>

namespace c51::test {

struct HostRun {
  int status = -1;  // the exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;
};

// `args` are passed as a user would type them (each quoted for the shell,
// in the system's encoding). The output files go to `scratch` (a folder
// ending in a separator).
HostRun RunHost(const std::vector<std::string>& args, const std::string& scratch);
// The same for any program, `program` its full path.
HostRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::string& scratch);

// The number of lines of `text`.
int LineCount(const std::string& text);

}  // namespace c51::test

#endif  // C51_TESTS_HOST_RUN_HOST_H_
