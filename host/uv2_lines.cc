#include "host/uv2_lines.h"

#include <cstdlib>

#include "platform/ascii_case.h"

namespace c51::host {

std::vector<std::string_view> Uv2Lines(std::string_view data) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < data.size()) {
    size_t end = data.find('\n', start);
    if (end == std::string_view::npos) end = data.size();
    std::string_view line = data.substr(start, end - start);
    start = end + 1;
    const size_t first = line.find_first_not_of(" \t");
    line = first == std::string_view::npos ? std::string_view() : line.substr(first);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
  }
  return lines;
}

bool Uv2KeywordText(std::string_view line, std::string_view keyword, std::string* text) {
  if (!StartsWithIgnoringCase(line, keyword)) return false;
  size_t i = keyword.size();
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  if (i >= line.size() || line[i] != '(') return false;
  const size_t close = line.rfind(')');
  if (close == std::string_view::npos || close < i) return false;
  *text = std::string(line.substr(i + 1, close - i - 1));
  return true;
}

bool Uv2Setting(std::string_view line, std::string_view name, std::string* value) {
  if (line.size() <= name.size() || line.substr(0, name.size()) != name ||
      line[name.size()] != '=') {
    return false;
  }
  std::string_view rest = line.substr(name.size() + 1);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
  *value = std::string(rest);
  return true;
}

bool Uv2OptionsHeader(std::string_view line, int* target, int* group, int* file) {
  if (!StartsWithIgnoringCase(line, "Options ")) return false;
  int* numbers[] = {target, group, file};
  std::string rest(line.substr(8));
  const char* p = rest.c_str();
  for (int i = 0; i < 3; ++i) {
    char* end = nullptr;
    const long value = std::strtol(p, &end, 10);
    if (end == p || value < 0 || value > 65535) return false;
    *numbers[i] = static_cast<int>(value);
    p = end;
    if (i < 2) {
      if (*p != ',') return false;
      ++p;
    }
  }
  return true;
}

}  // namespace c51::host
