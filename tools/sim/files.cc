#include "sim/files.h"

#include <vector>

#include "platform/fs.h"

namespace c51::sim {

namespace {

bool IsDriveLetter(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

// Seconds between 1601 (the platform's file times) and 1970 (ours), and
// the platform's ticks per second.
constexpr int64_t kEpochDifference = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

}  // namespace

bool IsFullyQualified(std::string_view path, PathStyle style) {
  if (style == PathStyle::kPosix) return !path.empty() && IsPathSeparator(path[0]);
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsPathSeparator(path[2])) {
    return true;
  }
  return path.size() >= 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1]);
}

std::string MakeAbsolute(std::string_view path, std::string_view cwd, PathStyle style) {
  const char sep = style == PathStyle::kWindows ? '\\' : '/';
  std::string joined;
  if (IsFullyQualified(path, style)) {
    joined = path;
  } else if (style == PathStyle::kWindows && !path.empty() && IsPathSeparator(path[0]) &&
             cwd.size() >= 2 && cwd[1] == ':') {
    // "\x" is rooted on the current drive.
    joined = std::string(cwd.substr(0, 2)) + std::string(path);
  } else {
    joined = std::string(cwd) + sep + std::string(path);
  }

  // The root ".." cannot climb above: "C:\", "\\server\share\" or "/".
  std::string root;
  size_t pos = 0;
  if (style == PathStyle::kWindows && joined.size() >= 2 && IsDriveLetter(joined[0]) &&
      joined[1] == ':') {
    root = joined.substr(0, 2) + sep;
    pos = 2;
  } else if (style == PathStyle::kWindows && joined.size() >= 2 && IsPathSeparator(joined[0]) &&
             IsPathSeparator(joined[1])) {
    root = "\\\\";
    pos = 2;
    for (int part = 0; part < 2; ++part) {
      while (pos < joined.size() && IsPathSeparator(joined[pos])) ++pos;
      size_t end = pos;
      while (end < joined.size() && !IsPathSeparator(joined[end])) ++end;
      root.append(joined, pos, end - pos);
      root += sep;
      pos = end;
    }
  } else {
    root = std::string(1, sep);
  }

  std::vector<std::string_view> segments;
  std::string_view rest = std::string_view(joined).substr(pos);
  size_t start = 0;
  for (size_t i = 0; i <= rest.size(); ++i) {
    if (i < rest.size() && !IsPathSeparator(rest[i])) continue;
    std::string_view segment = rest.substr(start, i - start);
    start = i + 1;
    if (segment.empty() || segment == ".") continue;
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(segment);
  }
  std::string out = root;
  for (size_t i = 0; i < segments.size(); ++i) {
    if (i > 0) out += sep;
    out += segments[i];
  }
  return out;
}

std::string AbsolutePath(std::string_view path) {
  return MakeAbsolute(path, c51::CurrentDirectory(), NativePathStyle());
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty() || IsPathSeparator(dir.back()) || dir.back() == ':') {
    return std::string(dir) + std::string(name);
  }
  const bool only_slash =
      dir.find('\\') == std::string_view::npos && dir.find('/') != std::string_view::npos;
  return std::string(dir) + (only_slash ? "/" : "\\") + std::string(name);
}

ReadResult ReadFile(const std::string& path, std::string* bytes) {
  switch (ReadWholeFile(path, bytes, nullptr)) {
    case ReadStatus::kOkay:
      return ReadResult::kOkay;
    case ReadStatus::kNotFound:
      return ReadResult::kNotFound;
    case ReadStatus::kOtherError:
      break;
  }
  return IsDirectory(path) ? ReadResult::kNotFound : ReadResult::kOtherError;
}

bool WriteFile(const std::string& path, std::string_view bytes, std::string* err) {
  std::string reason;
  if (!WriteWholeFile(path, std::string(bytes), &reason)) {
    // The platform's message names the call that failed.
    const bool not_created = reason.compare(0, 5, "open(") == 0;
    *err = (not_created ? "CAN'T CREATE FILE '" : "WRITE ERROR ON FILE '") + path + "'";
    return false;
  }
  return true;
}

void RemoveFile(const std::string& path) {
  c51::RemoveFile(path);
}

int64_t FileTime(const std::string& path) {
  const int64_t ticks = ModificationTime(path);
  return ticks == 0 ? 0 : ticks / kTicksPerSecond - kEpochDifference;
}

std::string RealFileSource::Identity(const std::string& path) {
  return c51::NativePath(path);
}

}  // namespace c51::sim
