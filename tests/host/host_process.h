// The built corvane-c51 started in the background, so a test can watch its
// output while it runs and interrupt it as Ctrl-C would (SIGINT). POSIX
// only: on Windows the host hears Ctrl-C through a console it would have to
// share with the test, and wine delivers no console events between them.
#ifndef C51_TESTS_HOST_HOST_PROCESS_H_
#define C51_TESTS_HOST_HOST_PROCESS_H_

#include <string>
#include <vector>

namespace c51::test {

class HostProcess {
 public:
  HostProcess() = default;
  // A process still running is killed and waited for.
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  // Starts the program beside the test with `args`; standard output and
  // standard error both go into one pipe that this side reads.
  bool Start(const std::vector<std::string>& args, std::string* err);
  // For the next Start: no file the program (or a tool it runs) writes may
  // grow past `bytes`, as on a disk that is full. Negative: no limit.
  void set_file_size_limit(long long bytes) { file_size_limit_ = bytes; }
  // For the next Start: a write past that limit fails with EFBIG instead of
  // ending the writer by SIGXFSZ (the program and the tools it runs inherit
  // the ignored signal).
  void set_ignore_file_size_signal(bool ignore) { ignore_file_size_signal_ = ignore; }
  // The running program's process id; -1 before Start and after Wait.
  int pid() const { return pid_; }
  // Reads until a line containing `text` has arrived; false when the
  // output ends first.
  bool WaitForLine(const std::string& text);
  bool Interrupt();
  // Sends `signal` (SIGTERM, SIGHUP, ...) to the program alone.
  bool Signal(int signal);
  // Reads the rest of the output and returns the exit status; -1 when the
  // program did not exit normally.
  int Wait();
  // Once Wait returned: the most resident memory the program (or one it
  // waited for) held, in KiB.
  long peak_kib() const { return peak_kib_; }

  // Everything read so far, line ends as written.
  const std::string& output() const { return output_; }

 private:
  // Appends one chunk of output; false at its end.
  bool ReadSome();

  int pid_ = -1;   // -1: not running (or waited for)
  int pipe_ = -1;  // the read end; -1: closed
  std::string output_;
  size_t searched_ = 0;  // WaitForLine has looked at the output before this offset
  long peak_kib_ = 0;
  long long file_size_limit_ = -1;
  bool ignore_file_size_signal_ = false;
};

// Alive and no zombie: a process whose parent ended waits for init to reap
// it, which may take a while or, in a container, never come.
bool ProcessRunning(int pid);
// Waits for a process that was sent a signal that ends it; false when it
// is still running after a minute.
bool WaitForProcessEnd(int pid);
// Waits for a running child of `parent` whose program is named `name`
// ("C51.exe") and returns its process id; 0 when none came within a
// minute.
int WaitForChild(int parent, const std::string& name);

}  // namespace c51::test

#endif  // C51_TESTS_HOST_HOST_PROCESS_H_
