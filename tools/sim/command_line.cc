#include "sim/command_line.h"

#include "platform/codepage.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace c51::sim {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n && IsBlank(line[i])) ++i;
  if (i == n) return args;

  // The program name: no escapes, only one quoted stretch.
  std::string program;
  if (line[i] == '"') {
    ++i;
    while (i < n && line[i] != '"') program += line[i++];
    if (i < n) ++i;
  }
  while (i < n && !IsBlank(line[i])) program += line[i++];
  args.push_back(program);

  while (true) {
    while (i < n && IsBlank(line[i])) ++i;
    if (i == n) break;
    std::string arg;
    bool quoted = false;
    while (i < n && (quoted || !IsBlank(line[i]))) {
      if (line[i] == '\\') {
        size_t backslashes = 0;
        while (i < n && line[i] == '\\') {
          ++backslashes;
          ++i;
        }
        if (i < n && line[i] == '"') {
          arg.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            arg += '"';
            ++i;
          }
          // An even count leaves the mark for the quoting rule below.
        } else {
          arg.append(backslashes, '\\');
        }
        continue;
      }
      if (line[i] == '"') {
        if (quoted && i + 1 < n && line[i + 1] == '"') {
          arg += '"';
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      arg += line[i++];
    }
    args.push_back(arg);
  }
  return args;
}

std::vector<std::string> ProgramArguments(int argc, char** argv) {
#ifdef _WIN32
  (void)argc;
  (void)argv;
  const char* raw = GetCommandLineA();
  std::vector<std::string> all = SplitWindowsCommandLine(raw != nullptr ? raw : "");
  if (!all.empty()) all.erase(all.begin());
  return all;
#else
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(SystemToLocalText(argv[i]));
  return args;
#endif
}

std::string JoinArguments(const std::vector<std::string>& args, size_t first) {
  std::string text;
  for (size_t i = first; i < args.size(); ++i) {
    if (i > first) text += ' ';
    text += args[i];
  }
  return text;
}

}  // namespace c51::sim
