#include "run_host.h"

#include <atomic>
#include <cstdlib>
#include <string>

#if !defined(_WIN32)
#include <sys/wait.h>
#endif

#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::test {
namespace {

std::string Quoted(const std::string& arg) {
#if defined(_WIN32)
  // The program splits its line by the Windows argument rules: a quotation
  // mark inside is written \", the backslashes before it doubled. (A
  // trailing backslash is left alone, as always: in a GBK text it may be
  // the second byte of a character.)
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '"') quoted.append(backslashes + 1, '\\');
    backslashes = c == '\\' ? backslashes + 1 : 0;
    quoted += c;
  }
  return quoted + "\"";
#else
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
#endif
}

std::string ReadOrEmpty(const std::string& path) {
  std::string text, err;
  ReadWholeFile(path, &text, &err);
  RemoveFile(path);
  return text;
}

}  // namespace

HostRun RunHost(const std::vector<std::string>& args, const std::string& scratch) {
#if defined(_WIN32)
  return RunProgram(ExecutableDirectory() + "corvane-c51.exe", args, scratch);
#else
  return RunProgram(ExecutableDirectory() + "corvane-c51", args, scratch);
#endif
}

HostRun RunProgram(const std::string& program, const std::vector<std::string>& args,
                   const std::string& scratch) {
  // A fresh pair of names per run: under wine a file deleted just after
  // the last run may still be held (delete pending) by the ending
  // process, and the command processor's redirection into the same name
  // then fails with status 1 before the program starts.
  static std::atomic<int> runs{0};
  const std::string tag = std::to_string(runs++);
  const std::string out_path = scratch + "host-stdout-" + tag + ".txt";
  const std::string err_path = scratch + "host-stderr-" + tag + ".txt";
  // Our texts are in the local code page; a shell passes on what a user
  // types, in the system's encoding.
  std::string command = Quoted(NativeSpelling(program));
  for (const std::string& arg : args) command += " " + Quoted(LocalToSystemText(arg));
  command += " >" + Quoted(NativeSpelling(out_path)) + " 2>" + Quoted(NativeSpelling(err_path));
#if defined(_WIN32)
  // cmd /c drops the first and the last quotation mark of the line; an
  // outer pair keeps the quoted program path intact.
  command = "\"" + command + "\"";
#endif
  HostRun run;
  int raw = std::system(command.c_str());
#if defined(_WIN32)
  // -1: the command processor itself did not start (seen under wine on a
  // loaded machine); the program never ran, so it is run again.
  for (int retry = 0; raw == -1 && retry < 3; ++retry) raw = std::system(command.c_str());
  run.status = raw;
#else
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
  run.out = ReadOrEmpty(out_path);
  run.err = ReadOrEmpty(err_path);
  return run;
}

int LineCount(const std::string& text) {
  int lines = 0;
  for (char c : text)
    if (c == '\n') ++lines;
  if (!text.empty() && text.back() != '\n') ++lines;
  return lines;
}

}  // namespace c51::test
