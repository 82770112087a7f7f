#include "host/path_display.h"

#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {
namespace {

// The lexical steps run on UTF-8, where no byte of a character is "\":
// a GBK trail byte can be, and splitting there would cut the character.
std::string ToUtf8(const std::string& local) {
  std::string out;
  return ConvertCodePage(local, kCodePageLocal, kCodePageUtf8, &out) ? out : local;
}

std::string FromUtf8(const std::string& utf8) {
  std::string out;
  return ConvertCodePage(utf8, kCodePageUtf8, kCodePageLocal, &out) ? out : utf8;
}

// "C:\..." or "C:/...": a Windows toolchain's absolute name. On POSIX the
// platform maps its drive to a folder; joining it to the base would not.
bool HasDriveRoot(const std::string& path) {
  const char letter = ToLowerAscii(path.empty() ? '\0' : path[0]);
  return path.size() >= 3 && letter >= 'a' && letter <= 'z' && path[1] == ':' &&
         IsPathSeparator(path[2]);
}

bool SameName(char a, char b) {
  if (IsPathSeparator(a) && IsPathSeparator(b)) return true;
  return NativePathStyle() == PathStyle::kWindows ? ToLowerAscii(a) == ToLowerAscii(b) : a == b;
}

// `path` relative to `folder` when it is the folder or lies below it;
// `path` itself otherwise.
std::string RelativeWhenBelow(const std::string& path, const std::string& folder) {
  size_t size = folder.size();
  while (size > 1 && IsPathSeparator(folder[size - 1])) --size;
  if (size == 0 || path.size() < size) return path;
  for (size_t i = 0; i < size; ++i)
    if (!SameName(path[i], folder[i])) return path;
  // A root ("/", "C:\") ends in a separator already.
  size_t start = size;
  if (start < path.size() && !IsPathSeparator(folder[size - 1])) {
    if (!IsPathSeparator(path[start])) return path;
    ++start;
  }
  return start >= path.size() ? std::string(1, '.') : path.substr(start);
}

}  // namespace

std::string DisplayPath(const std::string& path, const std::string& base, const std::string& cwd) {
  if (path.empty()) return path;
  const PathStyle style = NativePathStyle();
  const std::string utf8 = ToUtf8(path);
  std::string full = style == PathStyle::kPosix && HasDriveRoot(utf8)
                         ? utf8
                         : LexicalFullPath(utf8, ToUtf8(base), style);
  if (style == PathStyle::kPosix) {
    // NativePath answers in the file system's encoding, UTF-8 on POSIX.
    full = NativePath(FromUtf8(full));
    if (!full.empty() && full[0] == '/') full = LexicalFullPath(full, "/", style);
  }
  std::string shown = RelativeWhenBelow(full, ToUtf8(cwd));
  for (char& c : shown)
    if (c == '\\') c = '/';
  return FromUtf8(shown);
}

}  // namespace c51::host
