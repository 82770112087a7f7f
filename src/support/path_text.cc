// Lexical path helpers; the header holds their examples.
#include "support/path_text.h"

#include "platform/ascii_case.h"

namespace c51 {

namespace {

bool Breaks(char c, PathBreak breaks) {
  switch (breaks) {
    case PathBreak::kSlash:
      return c == '\\' || c == '/';
    case PathBreak::kSlashOrDrive:
      return c == '\\' || c == '/' || c == ':';
    case PathBreak::kBackslashOrDrive:
      return c == '\\' || c == ':';
  }
  return false;
}

// Where the name starts: after the last break, 0 without one. A plain loop
// from the end: find_last_of searches its set for every byte, and the build
// asks this for every file of every build.
size_t NameStart(std::string_view path, PathBreak breaks) {
  size_t start = path.size();
  while (start > 0 && !Breaks(path[start - 1], breaks)) --start;
  return start;
}

}  // namespace

std::string_view NamePart(std::string_view path, PathBreak breaks) {
  return path.substr(NameStart(path, breaks));
}

std::string_view FileTitle(std::string_view path, PathBreak breaks) {
  const std::string_view name = NamePart(path, breaks);
  return name.substr(0, name.rfind('.'));
}

std::string_view DirectoryPart(std::string_view path, PathBreak breaks) {
  return path.substr(0, NameStart(path, breaks));
}

std::string_view WithoutExtension(std::string_view path, PathBreak breaks) {
  return path.substr(0, NameStart(path, breaks) + FileTitle(path, breaks).size());
}

std::string ParentFolder(std::string_view path) {
  const size_t start = NameStart(path, PathBreak::kSlash);
  if (start == 0) return ".";
  // A file in the root folder: the root keeps its separator.
  return std::string(path.substr(0, start == 1 ? 1 : start - 1));
}

std::string_view ExtensionOf(std::string_view path) {
  const std::string_view name = NamePart(path, PathBreak::kSlashOrDrive);
  const size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
}

std::string LowerExtension(std::string_view path) {
  return ToLowerAscii(ExtensionOf(path));
}

std::string WithExtension(std::string_view path, std::string_view extension) {
  const std::string_view name = NamePart(path, PathBreak::kSlashOrDrive);
  const size_t dot = name.rfind('.');
  std::string out(path.substr(0, path.size() - name.size()));
  out += name.substr(0, dot);
  out += '.';
  out += extension;
  return out;
}

bool IsAbsolutePath(std::string_view path) {
  if (path.empty() || path[0] == '.') return false;
  if (path[0] == '/' || path[0] == '\\') return true;
  return path.find(':') != std::string_view::npos;
}

bool StaysInside(std::string_view path) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return false;
  if (path.find(':') != std::string_view::npos) return false;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\' && path[i] != '/') continue;
    const std::string_view part = path.substr(start, i - start);
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
