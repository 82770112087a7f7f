// The Windows command-line rules: only truly operating system independent
// code. Starting processes lives in posix/process.cc and win32/process.cc.
#include "platform/process.h"

namespace c51 {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::vector<std::string> SplitWindowsCommandLine(const std::string& line) {
  std::vector<std::string> args;
  const size_t n = line.size();
  if (n == 0) return args;

  // The program name takes no escapes: a quoted one ends at the next quote,
  // so "C:\dir\" is the folder itself, not an escaped quote.
  size_t i = 0;
  std::string program;
  if (line[0] == '"') {
    for (i = 1; i < n && line[i] != '"'; ++i) program += line[i];
    if (i < n) ++i;  // the closing quote
  } else {
    for (; i < n && !IsBlank(line[i]); ++i) program += line[i];
  }
  args.push_back(std::move(program));
  while (i < n && IsBlank(line[i])) ++i;

  std::string current;
  bool started = i < n;
  size_t backslashes = 0;  // directly before the current character
  int quotes = 0;          // 1 inside a quoted run; see the run of quotes below
  while (i < n) {
    char c = line[i];
    if (IsBlank(c) && quotes == 0) {
      args.push_back(std::move(current));
      current.clear();
      while (i < n && IsBlank(line[i])) ++i;
      started = i < n;
      backslashes = 0;
    } else if (c == '\\') {
      current += c;
      ++backslashes;
      ++i;
    } else if (c == '"') {
      if (backslashes % 2 == 0) {
        current.resize(current.size() - backslashes / 2);
        ++quotes;
      } else {
        current.resize(current.size() - backslashes / 2 - 1);
        current += '"';
      }
      backslashes = 0;
      ++i;
      // Quotes in a row count on from the one above: the third gives a
      // literal quote and leaves the run, so "" inside a run is one quote.
      for (; i < n && line[i] == '"'; ++i) {
        if (++quotes == 3) {
          current += '"';
          quotes = 0;
        }
      }
      if (quotes == 2) quotes = 0;
    } else {
      current += c;
      backslashes = 0;
      ++i;
    }
  }
  if (started) args.push_back(std::move(current));
  return args;
}

}  // namespace c51
