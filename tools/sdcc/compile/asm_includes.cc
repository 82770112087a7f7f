#include "sdcc/compile/asm_includes.h"

#include <algorithm>

#include "sdcc/compile/listing.h"
#include "sim/controls.h"
#include "sim/files.h"

namespace c51::sdcc {

namespace {

// Beyond this many open files the include chain is taken as runaway.
constexpr int kMaxDepth = 32;

// The name in `.include "name"`; empty when the line is no include.
std::string IncludeName(std::string_view code) {
  code = sim::Trim(code);
  if (code.size() < 9 || sim::ToUpper(code.substr(0, 8)) != ".INCLUDE" ||
      (code[8] != ' ' && code[8] != '\t')) {
    return std::string();
  }
  code = sim::Trim(code.substr(9));
  if (code.size() < 3) return std::string();
  const size_t close = code.find(code[0], 1);
  if (close == std::string_view::npos) return std::string();
  return std::string(code.substr(1, close - 1));
}

// The line without its comment; quotes protect ";".
std::string_view CodePart(std::string_view line) {
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    if (quote != 0) {
      if (line[i] == quote) quote = 0;
    } else if (line[i] == '"' || line[i] == '\'') {
      quote = line[i];
    } else if (line[i] == ';') {
      return line.substr(0, i);
    }
  }
  return line;
}

bool Exists(const std::string& path) {
  std::string ignored;
  return sim::ReadFile(path, &ignored) == sim::ReadResult::kOkay;
}

void Scan(const std::string& file, const std::vector<std::string>& dirs, int depth,
          AsmIncludes* result) {
  std::string text;
  if (sim::ReadFile(file, &text) != sim::ReadResult::kOkay) return;
  int number = 0;
  size_t pos = 0;
  while (pos < text.size() && result->missing.empty()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string_view line = std::string_view(text).substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t marker = line.find(kDependsMarker);
    if (marker != std::string_view::npos) {
      const std::string name(sim::Trim(line.substr(marker + kDependsMarker.size())));
      if (!name.empty() && std::find(result->headers.begin(), result->headers.end(), name) ==
                               result->headers.end()) {
        result->headers.push_back(name);
      }
      continue;
    }
    const std::string name = IncludeName(CodePart(line));
    if (name.empty()) continue;
    std::vector<std::string> candidates;
    if (sim::IsAbsolute(name, sim::PathStyle::kPosix)) {
      candidates.push_back(sim::NativePath(name));
    } else {
      candidates.push_back(sim::JoinPath(sim::DirectoryPart(file), sim::NativePath(name)));
      for (const std::string& dir : dirs) {
        candidates.push_back(sim::JoinPath(dir, sim::NativePath(name)));
      }
    }
    auto found = std::find_if(candidates.begin(), candidates.end(), Exists);
    if (found == candidates.end() || depth >= kMaxDepth) {
      result->missing = name;
      result->missing_in = file;
      result->missing_line = number;
      result->missing_line_text = sim::Trim(line);
      return;
    }
    if (std::find(result->headers.begin(), result->headers.end(), *found) !=
        result->headers.end()) {
      continue;
    }
    result->headers.push_back(*found);
    Scan(*found, dirs, depth + 1, result);
  }
}

}  // namespace

void FindAsmIncludes(const std::string& source, const std::vector<std::string>& include_dirs,
                     AsmIncludes* result) {
  *result = AsmIncludes();
  Scan(source, include_dirs, 0, result);
}

}  // namespace c51::sdcc
