#include "sim/source_lines.h"

namespace c51::sim {

void SplitCLine(std::string_view line, bool* in_block, SplitLine* out) {
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    if (*in_block) {
      size_t close = line.find("*/", i);
      if (close == std::string_view::npos) {
        out->comments.emplace_back(line.substr(i));
        return;
      }
      out->comments.emplace_back(line.substr(i, close - i));
      out->code += ' ';
      *in_block = false;
      i = close + 2;
      continue;
    }
    const char c = line[i];
    if (c == '"' || c == '\'') {
      size_t j = i + 1;
      while (j < n && line[j] != c) j += (line[j] == '\\' && j + 1 < n) ? 2 : 1;
      if (j < n) ++j;
      out->code.append(line.substr(i, j - i));
      i = j;
      continue;
    }
    if (c == '/' && i + 1 < n && line[i + 1] == '/') {
      out->comments.emplace_back(line.substr(i + 2));
      return;
    }
    if (c == '/' && i + 1 < n && line[i + 1] == '*') {
      *in_block = true;
      i += 2;
      continue;
    }
    out->code += c;
    ++i;
  }
}

void SplitAssemblyLine(std::string_view line, SplitLine* out) {
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      out->code = line.substr(0, i);
      out->comments.emplace_back(line.substr(i + 1));
      return;
    }
  }
  out->code = line;
}

std::string_view NextWord(std::string_view* rest) {
  size_t i = 0;
  while (i < rest->size() && IsBlank((*rest)[i])) ++i;
  size_t start = i;
  while (i < rest->size() && !IsBlank((*rest)[i])) ++i;
  std::string_view word = rest->substr(start, i - start);
  rest->remove_prefix(i);
  return word;
}

}  // namespace c51::sim
