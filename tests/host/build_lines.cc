#include "build_lines.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "platform/path.h"

namespace c51::test {

std::string NameOf(const std::string& path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

std::string TitleOf(const std::string& path) {
  const std::string name = NameOf(path);
  return name.substr(0, name.rfind('.'));
}

// The lines of `text` without their line ends and without empty lines.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

bool HasLine(const std::string& text, const std::string& line) {
  for (const std::string& each : Lines(text))
    if (each == line) return true;
  return false;
}

// True when one line of `text` holds every one of `parts`.
bool HasLineWith(const std::string& text, const std::vector<std::string>& parts) {
  for (const std::string& line : Lines(text)) {
    bool all = true;
    for (const std::string& part : parts) all = all && line.find(part) != std::string::npos;
    if (all) return true;
  }
  return false;
}

std::string LastLine(const std::string& text) {
  std::vector<std::string> lines = Lines(text);
  return lines.empty() ? std::string() : lines.back();
}

// The names of the files the build translated, in order, from its
// "[n/N] compiling main.c..." and "[n/N] assembling <path>..." lines; each
// must carry the next n and `planned` as N.
std::vector<std::string> Translated(const std::string& out, int planned) {
  std::vector<std::string> names;
  for (const std::string& line : Lines(out)) {
    size_t verb = line.find("compiling ");
    size_t after = verb + 10;
    if (verb == std::string::npos) {
      verb = line.find("assembling ");
      after = verb + 11;
    }
    if (verb == std::string::npos || line.size() < 3 ||
        line.compare(line.size() - 3, 3, "...") != 0)
      continue;
    const std::string prefix =
        "[" + std::to_string(names.size() + 1) + "/" + std::to_string(planned) + "] ";
    EXPECT_EQ(line.substr(0, verb), prefix) << line;
    names.push_back(NameOf(line.substr(after, line.size() - 3 - after)));
  }
  return names;
}

std::vector<std::string> Names(const std::vector<std::string>& paths) {
  std::vector<std::string> names;
  for (const std::string& path : paths) names.push_back(NameOf(path));
  return names;
}

}  // namespace c51::test
