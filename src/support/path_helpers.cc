// Lexical path helpers. "\" is the separator of the project data on every
// platform; where "/" also counts, the function says so.
#include "support/path_helpers.h"

#include <string_view>

#include "platform/ascii_case.h"
#include "platform/path.h"

namespace c51 {

namespace {

// The later of the last "\" and the last "/"; npos when there is neither.
size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/");
}

}  // namespace

std::string DirectoryPart(const std::string& path) {
  size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return path;
  return path.substr(0, slash + 1);
}

bool split_filename(const std::string& path, std::string* prefix, std::string* suffix) {
  size_t separator = LastSeparator(path);
  // The separator stays at the front of the prefix.
  std::string rest = separator == std::string::npos ? path : path.substr(separator);
  size_t dot = rest.rfind('.');
  if (dot == std::string::npos) {
    if (prefix != nullptr) *prefix = rest;
    if (suffix != nullptr) suffix->clear();
  } else {
    if (prefix != nullptr) *prefix = rest.substr(0, dot);
    if (suffix != nullptr) *suffix = rest.substr(dot + 1);
  }
  return true;
}

bool IsAbsolutePath(const std::string& path) {
  if (path.empty() || path[0] == '.') return false;
  if (path[0] == '/' || path[0] == '\\') return true;
  return path.find(':') != std::string::npos;
}

std::string FullPathOf(const std::string& path) {
  constexpr size_t kMaxPath = 260;
  std::string full = FullPath(path);
  if (full.size() > kMaxPath) full.resize(kMaxPath);
  return full;
}

std::string UpperCopy(const std::string& text) {
  // ASCII only: a locale's mapping could turn half of a GBK character into
  // another byte.
  return ToUpperAscii(text);
}

std::vector<std::string> SplitAtSeparators(const std::string& text, const char* separators) {
  bool is_separator[256] = {};
  for (const char* s = separators; s != nullptr && *s != '\0'; ++s) {
    is_separator[static_cast<unsigned char>(*s)] = true;
  }
  std::vector<std::string> items;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && is_separator[static_cast<unsigned char>(text[i])]) ++i;
    size_t start = i;
    while (i < text.size() && !is_separator[static_cast<unsigned char>(text[i])]) ++i;
    if (i > start) items.push_back(text.substr(start, i - start));
  }
  return items;
}

std::string BaseName(const std::string& path) {
  size_t separator = LastSeparator(path);
  std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

bool StaysInside(const std::string& path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return false;
  if (path.find(':') != std::string::npos) return false;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
    const std::string_view part = std::string_view(path).substr(start, i - start);
    if (part == "..") {
      if (--depth < 0) return false;
    } else if (!part.empty() && part != ".") {
      ++depth;
    }
    start = i + 1;
  }
  return true;
}

}  // namespace c51
