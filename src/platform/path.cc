// Lexical path functions: only truly operating system independent code.
// The OS-backed ones live in posix/path.cc and win32/path.cc.
#include "platform/path.h"

#include "platform/ascii_case.h"

#include <string_view>
#include <vector>

namespace c51 {
namespace {

// A path split into its root and its non-empty segments. The root is the
// part that ".." cannot climb out of.
struct SplitPath {
  enum RootKind { kNone, kDrive, kSlash, kUnc };
  RootKind kind = kNone;
  // kDrive: the drive letter. kUnc: the server, plus the share
  // when `share_in_root` was asked for.
  std::string_view root;
  bool drive_rooted = false;  // kDrive: "C:\..." rather than "C:..."
  std::vector<std::string_view> segments;
  bool trailing_separator = false;  // a separator after the last segment
};

bool IsAsciiLetter(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

// Splits the segments of `rest`, skipping empty ones ("a\\b" is "a\b").
void SplitSegments(std::string_view rest, SplitPath* out) {
  size_t start = 0;
  for (size_t i = 0; i <= rest.size(); ++i) {
    if (i == rest.size() || IsPathSeparator(rest[i])) {
      if (i > start) out->segments.push_back(rest.substr(start, i - start));
      start = i + 1;
    }
  }
  out->trailing_separator = !out->segments.empty() && IsPathSeparator(rest.back());
}

// Windows roots: "C:", "C:\", "\\server\share" (the share belongs to the
// root only for full paths: GetFullPathName never climbs above it, while
// PathRelativePathTo compares it like any other segment) and "\".
// POSIX has the one root "/".
SplitPath Split(std::string_view path, PathStyle style, bool share_in_root) {
  SplitPath out;
  std::string_view rest = path;
  if (style == PathStyle::kWindows && path.size() >= 2 && IsAsciiLetter(path[0]) &&
      path[1] == ':') {
    out.kind = SplitPath::kDrive;
    out.root = path.substr(0, 1);
    out.drive_rooted = path.size() > 2 && IsPathSeparator(path[2]);
    rest = path.substr(2);
  } else if (style == PathStyle::kWindows && path.size() >= 2 && IsPathSeparator(path[0]) &&
             IsPathSeparator(path[1])) {
    out.kind = SplitPath::kUnc;
    size_t end = 2;
    for (int parts = share_in_root ? 2 : 1; parts > 0; --parts) {
      while (end < path.size() && IsPathSeparator(path[end])) ++end;
      while (end < path.size() && !IsPathSeparator(path[end])) ++end;
    }
    out.root = path.substr(0, end);
    rest = path.substr(end);
  } else if (!path.empty() && IsPathSeparator(path[0])) {
    out.kind = SplitPath::kSlash;
  }
  SplitSegments(rest, &out);
  return out;
}

// Names never hold separators; roots may ("\\srv" and "//srv" are alike).
bool SameName(std::string_view a, std::string_view b, PathStyle style) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsPathSeparator(a[i]) && IsPathSeparator(b[i])) continue;
    if (style == PathStyle::kPosix ? a[i] != b[i] : ToUpperAscii(a[i]) != ToUpperAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// Appends `segments` to `stack`, resolving "." and "..". ".." at the root
// stays at the root, as GetFullPathName does.
void Resolve(const std::vector<std::string_view>& segments, std::vector<std::string_view>* stack) {
  for (std::string_view segment : segments) {
    if (segment == ".") continue;
    if (segment == "..") {
      if (!stack->empty()) stack->pop_back();
      continue;
    }
    stack->push_back(segment);
  }
}

}  // namespace

std::string LexicalFullPath(const std::string& path, const std::string& cwd, PathStyle style) {
  if (path.empty()) return std::string();
  const char sep = style == PathStyle::kWindows ? '\\' : '/';
  SplitPath p = Split(path, style, /*share_in_root=*/true);
  SplitPath base = Split(cwd, style, /*share_in_root=*/true);

  // Which root the result has, and which segments come before `path`'s own.
  SplitPath root = p;
  std::vector<std::string_view> stack;
  switch (p.kind) {
    case SplitPath::kNone:  // relative: below the current folder
      root = base;
      Resolve(base.segments, &stack);
      break;
    case SplitPath::kSlash:  // "\x": the root of the current folder's drive
      if (style == PathStyle::kWindows && base.kind != SplitPath::kNone) root = base;
      break;
    case SplitPath::kDrive:
      // "C:x" is relative to the current folder when that is on drive C.
      if (!p.drive_rooted && base.kind == SplitPath::kDrive && SameName(base.root, p.root, style)) {
        Resolve(base.segments, &stack);
      }
      break;
    case SplitPath::kUnc:
      break;
  }
  Resolve(p.segments, &stack);

  std::string out;
  switch (root.kind) {
    case SplitPath::kDrive:
      out.append(root.root);  // GetFullPathName keeps the letter's case
      out += ":\\";
      break;
    case SplitPath::kUnc:
      for (char c : root.root) out.push_back(IsPathSeparator(c) ? '\\' : c);
      if (!stack.empty()) out.push_back('\\');
      break;
    case SplitPath::kSlash:
    case SplitPath::kNone:  // a relative current folder: stay relative
      if (root.kind == SplitPath::kSlash) out.push_back(sep);
      break;
  }
  for (size_t i = 0; i < stack.size(); ++i) {
    if (i > 0) out.push_back(sep);
    out.append(stack[i]);
  }
  // "C:\p\Debug\" keeps its separator; a bare root already ends in one.
  if (!stack.empty() && p.trailing_separator) out.push_back(sep);
  return out;
}

bool LexicalRelativePath(const std::string& from_dir, const std::string& to, PathStyle style,
                         std::string* out) {
  SplitPath from = Split(from_dir, style, /*share_in_root=*/false);
  SplitPath target = Split(to, style, /*share_in_root=*/false);
  if (from.kind != target.kind) return false;
  if ((from.kind == SplitPath::kDrive || from.kind == SplitPath::kUnc) &&
      !SameName(from.root, target.root, style)) {
    return false;
  }

  size_t common = 0;
  while (common < from.segments.size() && common < target.segments.size() &&
         SameName(from.segments[common], target.segments[common], style)) {
    ++common;
  }
  // Two relative paths share a root only through a first segment.
  if (from.kind == SplitPath::kNone && common == 0) return false;

  std::string result;
  if (common == from.segments.size()) {
    result = ".";
  } else {
    for (size_t i = common; i < from.segments.size(); ++i) {
      if (i > common) result.push_back('\\');
      result += "..";
    }
  }
  for (size_t i = common; i < target.segments.size(); ++i) {
    result.push_back('\\');
    result.append(target.segments[i]);
  }
  if (target.trailing_separator) result.push_back('\\');
  *out = std::move(result);
  return true;
}

}  // namespace c51
