// Operating-system services the host needs beyond src/platform: atomic
// file replacement, running a user command through the shell, Ctrl-C,
// terminals, and the receiving end of the import diagnostics channel.
// host_platform_posix.cc and host_platform_win32.cc implement it.
#ifndef C51_HOST_HOST_PLATFORM_H_
#define C51_HOST_HOST_PLATFORM_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace c51::host {

// Replaces `path` with `contents`: a temporary file in the same folder is
// written, flushed to disk and renamed over the target (POSIX rename;
// Windows MoveFileEx with MOVEFILE_REPLACE_EXISTING). On failure the old
// file is untouched, the temporary file is removed, and `err` names the
// call and path.
bool AtomicWriteFile(const std::string& path, const std::string& contents, std::string* err);

// Runs `command_line` through the shell (POSIX: /bin/sh -c; Windows:
// cmd /c) in `directory`, with the host's standard handles, and waits for
// it. False when it could not be started (`exit_code` is -1 then).
bool RunShellCommand(const std::string& command_line, const std::string& directory, int* exit_code);

// While installed, the first Ctrl-C calls `on_stop` once: the plug-in's
// StopBuild, which stops the build before its next file and interrupts the
// running tool. A second Ctrl-C, or a request to end the process, calls it
// twice more, which ends the running tool for certain, and ends the
// process: POSIX with exit status 128 + the signal (130 for a second
// SIGINT, 143 for SIGTERM, 129 for SIGHUP; a signal the host was started
// ignoring stays ignored) after passing the signal on to a user command
// the host is running; Windows the default way for a second Ctrl-C or a
// closed console. `on_stop` runs in the signal handler (POSIX) or the
// console handler thread (Windows), so it may only touch atomics and make
// async-signal-safe calls.
void InstallInterruptHandler(void (*on_stop)());
void RemoveInterruptHandler();

// True when `stream` is a terminal (a console on Windows).
bool IsTerminal(FILE* stream);
// Lets `stream` show ANSI colour sequences; false where it cannot (an old
// Windows console).
bool EnableColours(FILE* stream);

// A text of ours (the plug-in's and the host's texts are in the local code
// page, GBK unless configured) in the encoding `stream` expects: POSIX:
// UTF-8; Windows: the console's output code page for a console, the ANSI
// code page otherwise. Bytes that are no character of the code page pass
// unchanged.
std::string ToStreamEncoding(std::string_view local, FILE* stream);

// Writes one of our texts to `stream` in the encoding it expects.
inline void PrintText(FILE* stream, std::string_view local) {
  std::fputs(ToStreamEncoding(local, stream).c_str(), stream);
}

// A text in the local code page as UTF-8, its other bytes unchanged.
std::string NativeTextToUtf8(std::string_view text);

// Names of the regular files in `folder` ending in `suffix` (compared ignoring case
// on Windows), sorted, in the local code page (names it cannot hold are left out).
std::vector<std::string> FilesWithSuffix(const std::string& folder, const std::string& suffix);

// The receiving end of the import diagnostics channel while it exists.
// POSIX: a datagram socket bound in a new temporary folder, named to the
// plug-in through CORVANE_LISTWIN. Windows: a hidden top-level window of
// class "#32770" titled "ListWin" that takes WM_COPYDATA.
class DiagnosticsListener {
 public:
  DiagnosticsListener();
  ~DiagnosticsListener();
  DiagnosticsListener(const DiagnosticsListener&) = delete;
  DiagnosticsListener& operator=(const DiagnosticsListener&) = delete;

  // False with `err` when the channel cannot be opened; the import then
  // runs without it and its diagnostics are lost.
  bool Start(std::string* err);
  // The lines received so far, without their terminating NUL, oldest
  // first; each is returned once.
  std::vector<std::string> TakeLines();

  // The platform file's state (public for its window procedure).
  struct Impl;

 private:
  Impl* impl_;
};

}  // namespace c51::host

#endif  // C51_HOST_HOST_PLATFORM_H_
