// POSIX has no path service of its own to defer to: the lexical functions
// give the Windows texts, with "\" mapped only at the file system.
#include "platform/path.h"

#include "platform/fs.h"

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

std::string NativePath(const std::string& path) {
  std::string out = path;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

}  // namespace c51
