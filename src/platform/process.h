// Starting a program with both output streams captured (and bounded), a
// way to stop it from elsewhere, and the Windows rules for cutting a
// command line into arguments.
#ifndef C51_PLATFORM_PROCESS_H_
#define C51_PLATFORM_PROCESS_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace c51 {

enum class ProcessStatus {
  kPipeFailed,   // the output pipes could not be made; nothing ran
  kStartFailed,  // the program could not be started (missing, not executable, ...)
  kExited,       // ran and ended with `exit_code`
  kCrashed,      // ran and was ended by a signal or an unhandled exception
};

struct ProcessResult {
  ProcessStatus status = ProcessStatus::kStartFailed;
  // kPipeFailed, kStartFailed: errno (POSIX) or GetLastError() (Windows).
  int system_error = 0;
  // kStartFailed: what was missing when the error number alone does not
  // say it (POSIX: a Windows program and no wine to run it); else empty.
  std::string start_problem;
  // kExited: the exit code. kCrashed: the signal number (POSIX) or the
  // exception code (Windows).
  int exit_code = 0;
  std::string out;  // what was kept of standard output
  std::string err;  // what was kept of standard error
  // Bytes each stream carried beyond what was kept (ProcessOptions::keep):
  // read and thrown away. 0 when the stream was kept whole.
  uint64_t out_dropped = 0;
  uint64_t err_dropped = 0;
  // Memory a later run may take over through `recycled` (see RunProcess);
  // its contents mean nothing.
  std::string spare;
};

// How the two captured streams come back.
enum class StreamOrder {
  kApart,        // `out` and `err` as written
  kErrAfterOut,  // `out` holds all of standard output, then all of standard
                 // error, however the writes interleaved; `err` stays empty
};

// What RunProcess keeps of each stream by default: a tool that writes
// without end must not take the caller's memory with it. Far above what
// any translation writes (a few kilobytes; a listing goes to a file).
constexpr size_t kKeptStreamBytes = size_t{64} << 20;

// Stops the program RunProcess is running, from another thread or from a
// signal handler: Stop only touches atomics and makes system calls that
// are safe there (kill, write; TerminateJobObject).
//
// POSIX: the program runs as the leader of a process group of its own, so
// that whatever it starts is reached too. A caller killed outright
// (SIGKILL) leaves it running: prctl(PR_SET_PDEATHSIG) would have to run in
// the child between fork and exec, which posix_spawn has no room for.
// Windows: it runs in a job object that ends with the caller, so no tool
// outlives it.
class ProcessControl {
 public:
  ProcessControl() = default;
  ProcessControl(const ProcessControl&) = delete;
  ProcessControl& operator=(const ProcessControl&) = delete;

  // The first request during a run interrupts the program: POSIX sends
  // SIGINT to its group. Windows has no gentle way into a hidden program
  // (GenerateConsoleCtrlEvent reaches only processes sharing the caller's
  // console, and a console program ignores it in a group of its own), so
  // there the first request leaves it running. Every later request ends
  // the program and its group or job outright (SIGKILL; TerminateJobObject),
  // and RunProcess then returns as soon as the program itself has ended,
  // without waiting for whatever else still holds its output open.
  // A request between two runs counts for neither.
  void Stop();

  // RunProcess's side. Attach publishes the running program (POSIX: its
  // group id and the write end of a pipe that wakes the reader; Windows:
  // its job or process handle) and applies a request that came during the
  // start; Detach withdraws it and returns once no Stop still uses the
  // values.
  void Attach(intptr_t target, intptr_t wake);
  void Detach();
  // Forgets the requests of an earlier run.
  void Reset() { stops_.store(0); }
  int stops() const { return stops_.load(); }

  // A caller that runs several programs at once gives each a control of
  // its own; while `followers` (`count` of them, owned by the caller) are
  // set, every Stop here is also a Stop of each of them, so whoever holds
  // this control reaches them all, from a signal handler too. Each
  // follower counts its own requests: a program it starts after a request
  // is not stopped by it. ClearFollowers returns once no Stop still uses
  // the list; it must come before the list or a follower goes away.
  void SetFollowers(ProcessControl* const* followers, size_t count);
  void ClearFollowers();

 private:
  void Act(int stop_number);

  std::atomic<intptr_t> target_{0};  // 0: no program running
  std::atomic<intptr_t> wake_{-1};   // -1: none
  std::atomic<int> stops_{0};        // Stop calls since Reset
  std::atomic<int> users_{0};        // Stop calls reading the values above or below now
  // Set in this order (list, then count) and cleared count first, so a
  // Stop that reads a count above 0 finds the list beside it.
  std::atomic<ProcessControl* const*> followers_{nullptr};
  std::atomic<size_t> follower_count_{0};
};

struct ProcessOptions {
  StreamOrder order = StreamOrder::kApart;
  // An earlier result whose texts' memory the new result takes over.
  ProcessResult* recycled = nullptr;
  // Bytes kept of each stream. Past them the stream is still read, so the
  // program never blocks on a full pipe, and the bytes are dropped; what
  // was kept is then cut back to its last line end (when it has one).
  size_t keep = kKeptStreamBytes;
  // Published while the program runs; reset when the run starts.
  ProcessControl* control = nullptr;
};

// Runs `command_line` hidden in `working_dir` (empty: the caller's current
// folder) with the calling process's environment and no standard input,
// and returns once the program has ended and closed both streams (or, after
// ProcessControl ended it, once the program itself has ended). There is no
// time-out. Both streams are drained together, so a program that fills one
// while the other is still open does not stall.
//
// Windows passes the line unchanged to CreateProcess. POSIX cuts it with
// SplitWindowsCommandLine, finds the program as NativePath does (path.h),
// passes the other arguments as written but in the file system's encoding
// (LocalToSystemText), hands the output back in the local code page
// (SystemToLocalText), and starts the program without a shell; a program
// path without a separator is looked up in PATH, a relative one is taken
// against the caller's current folder (as CreateProcess does), not against
// `working_dir`. A program file that starts with "MZ" (a Windows program)
// runs through wine: the launcher is the first of CORVANE_WINE, "wine" and
// "wine64" on PATH, and the prefix's server is started once, not by each
// program. No launcher: kStartFailed with ENOENT and `start_problem`.
//
// `recycled`, when given, is an earlier result whose texts' memory the new
// result takes over (their contents are dropped): a caller that runs tool
// after tool keeps the memory of the largest output mapped instead of
// paying the kernel to clear fresh pages each time. (POSIX reads straight
// into that memory; Windows only takes it over.) Memory stays bounded by
// the kept bytes: at most about three times `keep` while joining the
// streams, whatever the program writes.
ProcessResult RunProcess(const std::string& command_line, const std::string& working_dir,
                         const ProcessOptions& options = {});

// The calling process's id.
int CurrentProcessId();

// The arguments of a Windows command line, as CommandLineToArgvW gives them.
// Only blank and tab separate. The program name (first argument) ends at
// the next quote when it starts with one, else at the first blank, and
// never unescapes anything. In the arguments after it:
//   - 2n backslashes and a quote give n backslashes, the quote opens or
//     closes a quoted run; 2n+1 backslashes and a quote give n backslashes
//     and a literal quote; backslashes before anything else stay as written;
//   - inside a quoted run, two quotes give a literal quote and end the run;
//     outside, three quotes give one literal quote.
// Bytes of 0x80 and above are plain characters. An empty line gives no
// arguments (the Windows function would answer with the running program).
//   "C:\Tools\C51.exe" "a b" c  => C:\Tools\C51.exe | a b | c
//   x a\\\"b "c\\" ""           => x | a\"b | c\ | (empty)
//   x "a""b"                    => x | a"b
//   "a b"c d                    => a b | c | d
std::vector<std::string> SplitWindowsCommandLine(const std::string& command_line);

}  // namespace c51

#endif  // C51_PLATFORM_PROCESS_H_
