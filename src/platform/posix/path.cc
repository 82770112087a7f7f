// POSIX has no path service of its own to defer to: the lexical functions
// give the Windows texts; names are converted, mapped and matched only at
// the file system.
#include "platform/path.h"

#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/posix/file_case.h"

namespace c51 {

PathStyle NativePathStyle() {
  return PathStyle::kPosix;
}

std::string FullPath(const std::string& path) {
  return LexicalFullPath(path, CurrentDirectory(), PathStyle::kPosix);
}

std::string ShortPath(const std::string& path) {
  return path;
}

bool RelativePath(const std::string& from_dir, const std::string& to, std::string* out) {
  return LexicalRelativePath(from_dir, to, PathStyle::kPosix, out);
}

std::string NativeSpelling(const std::string& path) {
  // Converted before the separators are mapped: a GBK character's second
  // byte may be 0x5C.
  std::string out = LocalToSystemText(path);
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

std::string NativePath(const std::string& path) {
  return posix::MatchCase(NativeSpelling(path));
}

}  // namespace c51
