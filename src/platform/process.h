// Starting a program with both output streams captured, and the Windows
// rules for cutting a command line into arguments.
#ifndef C51_PLATFORM_PROCESS_H_
#define C51_PLATFORM_PROCESS_H_

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
  // kExited: the exit code. kCrashed: the signal number (POSIX) or the
  // exception code (Windows).
  int exit_code = 0;
  std::string out;  // everything written to standard output
  std::string err;  // everything written to standard error
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

// Runs `command_line` hidden in `working_dir` (empty: the caller's current
// folder) with the calling process's environment and no standard input,
// and returns once the program has ended and closed both streams. There
// is no time-out. Both streams are drained together, so a program that
// fills one while the other is still open does not stall.
//
// Windows passes the line unchanged to CreateProcess. POSIX cuts it with
// SplitWindowsCommandLine, finds the program as NativePath does (path.h),
// passes the other arguments as written but in the file system's encoding
// (LocalToSystemText), hands the output back in the local code page
// (SystemToLocalText), and starts the program without a shell; a program
// path without a separator is looked up in PATH, a relative one is taken
// against the caller's current folder (as CreateProcess does), not against
// `working_dir`.
//
// `recycled`, when given, is an earlier result whose texts' memory the new
// result takes over (their contents are dropped): a caller that runs tool
// after tool keeps the memory of the largest output mapped instead of
// paying the kernel to clear fresh pages each time. (POSIX reads straight
// into that memory; Windows only takes it over.)
ProcessResult RunProcess(const std::string& command_line, const std::string& working_dir,
                         StreamOrder order = StreamOrder::kApart,
                         ProcessResult* recycled = nullptr);

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
