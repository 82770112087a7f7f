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

std::string OnDiskSpelling(const std::string& path) {
  const std::string written = NativeSpelling(path);
  const std::string found = posix::MatchCase(written);
  std::string local;
  // Matching changes only the case of ASCII letters, and converting back
  // restores every other byte, separators aside: the two texts line up.
  if (found == written || !SystemToLocalStrict(found, &local) || local.size() != path.size()) {
    return path;
  }
  std::string out = path;
  for (size_t i = 0; i < out.size(); ++i) {
    const unsigned char a = static_cast<unsigned char>(out[i]);
    const unsigned char b = static_cast<unsigned char>(local[i]);
    if (a != b && (a | 0x20) == (b | 0x20) && (a | 0x20) >= 'a' && (a | 0x20) <= 'z') {
      out[i] = local[i];
    }
  }
  return out;
}

}  // namespace c51
