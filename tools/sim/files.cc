#include "sim/files.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#else
#include <unistd.h>
#endif

namespace c51::sim {

namespace {

bool IsDriveLetter(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

struct FileCloser {
  void operator()(FILE* f) const { fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

bool IsRegularFile(const std::string& native) {
#ifdef _WIN32
  struct _stat64 st;
  if (_stat64(native.c_str(), &st) != 0) return false;
  return (st.st_mode & _S_IFMT) == _S_IFREG;
#else
  struct stat st;
  if (stat(native.c_str(), &st) != 0) return false;
  return S_ISREG(st.st_mode);
#endif
}

}  // namespace

PathStyle NativeStyle() {
#ifdef _WIN32
  return PathStyle::kWindows;
#else
  return PathStyle::kPosix;
#endif
}

std::string NativePath(std::string_view path) {
  std::string out(path);
  if (NativeStyle() == PathStyle::kPosix) {
    for (char& c : out) {
      if (c == '\\') c = '/';
    }
  }
  return out;
}

bool IsAbsolute(std::string_view path, PathStyle style) {
  if (style == PathStyle::kPosix) return !path.empty() && IsSeparator(path[0]);
  if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2])) {
    return true;
  }
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

std::string MakeAbsolute(std::string_view path, std::string_view cwd, PathStyle style) {
  const char sep = style == PathStyle::kWindows ? '\\' : '/';
  std::string joined;
  if (IsAbsolute(path, style)) {
    joined = path;
  } else if (style == PathStyle::kWindows && !path.empty() && IsSeparator(path[0]) &&
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
  } else if (style == PathStyle::kWindows && joined.size() >= 2 && IsSeparator(joined[0]) &&
             IsSeparator(joined[1])) {
    root = "\\\\";
    pos = 2;
    for (int part = 0; part < 2; ++part) {
      while (pos < joined.size() && IsSeparator(joined[pos])) ++pos;
      size_t end = pos;
      while (end < joined.size() && !IsSeparator(joined[end])) ++end;
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
    if (i < rest.size() && !IsSeparator(rest[i])) continue;
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

std::string CurrentDirectory() {
  std::vector<char> buffer(512);
  while (buffer.size() <= (1u << 20)) {
#ifdef _WIN32
    if (_getcwd(buffer.data(), static_cast<int>(buffer.size())) != nullptr) return buffer.data();
#else
    if (getcwd(buffer.data(), buffer.size()) != nullptr) return buffer.data();
#endif
    buffer.resize(buffer.size() * 2);
  }
  return std::string();
}

std::string AbsolutePath(std::string_view path) {
  return MakeAbsolute(path, CurrentDirectory(), NativeStyle());
}

std::string_view DirectoryPart(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1]) || path[i - 1] == ':') return path.substr(0, i);
  }
  return std::string_view();
}

std::string_view FileTitle(std::string_view path) {
  std::string_view name = path.substr(DirectoryPart(path).size());
  size_t dot = name.rfind('.');
  return dot == std::string_view::npos ? name : name.substr(0, dot);
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
  const size_t name_start = DirectoryPart(path).size();
  size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || dot < name_start) dot = path.size();
  return std::string(path.substr(0, dot)) + std::string(extension);
}

std::string JoinPath(std::string_view dir, std::string_view name) {
  if (dir.empty() || IsSeparator(dir.back()) || dir.back() == ':') {
    return std::string(dir) + std::string(name);
  }
  const bool only_slash =
      dir.find('\\') == std::string_view::npos && dir.find('/') != std::string_view::npos;
  return std::string(dir) + (only_slash ? "/" : "\\") + std::string(name);
}

ReadResult ReadFile(const std::string& path, std::string* bytes) {
  const std::string native = NativePath(path);
  if (!IsRegularFile(native)) return ReadResult::kNotFound;
  FilePtr file(fopen(native.c_str(), "rb"));
  if (!file) return ReadResult::kOtherError;
  bytes->clear();
  char chunk[16384];
  size_t got;
  while ((got = fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes->append(chunk, got);
  return ferror(file.get()) ? ReadResult::kOtherError : ReadResult::kOkay;
}

bool WriteFile(const std::string& path, std::string_view bytes, std::string* err) {
  FilePtr file(fopen(NativePath(path).c_str(), "wb"));
  if (!file) {
    *err = "CAN'T CREATE FILE '" + path + "'";
    return false;
  }
  if (fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      fflush(file.get()) != 0) {
    *err = "WRITE ERROR ON FILE '" + path + "'";
    return false;
  }
  return true;
}

void RemoveFile(const std::string& path) {
  std::remove(NativePath(path).c_str());
}

int64_t FileTime(const std::string& path) {
#ifdef _WIN32
  struct _stat64 st;
  if (_stat64(NativePath(path).c_str(), &st) != 0) return 0;
#else
  struct stat st;
  if (stat(NativePath(path).c_str(), &st) != 0) return 0;
#endif
  return static_cast<int64_t>(st.st_mtime);
}

}  // namespace c51::sim
