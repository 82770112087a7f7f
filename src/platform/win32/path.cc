// Windows paths through the shell and kernel functions themselves.
#include "platform/path.h"

#include <shlwapi.h>
#include <windows.h>

#include <vector>

namespace c51 {
namespace {

std::string Backslashes(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '/') c = '\\';
  }
  return out;
}

}  // namespace

PathStyle NativePathStyle() {
  return PathStyle::kWindows;
}

std::string FullPath(const std::string& path) {
  if (path.empty()) return std::string();
  // The first call tells the size including the NUL; a second one can still
  // need more if the current folder changed in between.
  std::vector<char> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n =
        GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
    if (n == 0) return path;
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n);
  }
  return path;
}

std::string ShortPath(const std::string& path) {
  std::vector<char> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return path;  // missing, or no 8.3 names on this volume
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n);
  }
  return path;
}

bool RelativePath(const std::string& from_dir, const std::string& to, std::string* out) {
  // PathRelativePathTo knows only "\" and works in MAX_PATH buffers.
  std::string from = Backslashes(from_dir);
  std::string target = Backslashes(to);
  if (from.size() >= MAX_PATH || target.size() >= MAX_PATH) return false;
  // A trailing "\" on the folder would make it answer "\x" instead of ".\x";
  // a root ("C:\", "\") keeps its separator.
  while (from.size() > 1 && from.back() == '\\' && from[from.size() - 2] != ':') from.pop_back();
  char buffer[MAX_PATH] = {};
  if (!PathRelativePathToA(buffer, from.c_str(), FILE_ATTRIBUTE_DIRECTORY, target.c_str(),
                           FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  *out = buffer;
  return true;
}

std::string NativePath(const std::string& path) {
  return path;
}

std::string NativeSpelling(const std::string& path) {
  return path;
}

FileNameMatchScope::FileNameMatchScope() = default;
FileNameMatchScope::~FileNameMatchScope() = default;
void FileNameMatchScope::FoldersMayHaveChanged() {}

std::string OnDiskSpelling(const std::string& path) {
  return path;
}

}  // namespace c51
