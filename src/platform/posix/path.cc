// POSIX has no path service of its own to defer to: the lexical functions
// give the Windows texts; names are converted, mapped and matched only at
// the file system.
#include "platform/path.h"

#include <cstdint>
#include <cstring>

#include "platform/codepage.h"
#include "platform/fs.h"
#include "platform/posix/file_case.h"
#include "platform/posix/path_text.h"
#include "platform/posix/wine.h"

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
  // A name a Windows program under wine wrote ("Z:\HOME\P\X.H") names a
  // file on one of the prefix's drives.
  std::string mapped;
  if (posix::HasDriveLetter(out) && posix::CurrentDrivePathToNative(out, &mapped)) return mapped;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
}

namespace posix {

void SpellNative(const std::string& path, PathText* out) {
  if (HasDriveLetter(path)) {
    out->Assign(NativeSpelling(path));
    return;
  }
  const size_t size = path.size();
  char* bytes = out->Reserve(size);
  std::memcpy(bytes, path.data(), size);
  // Eight bytes at a time: a byte of 0x80 or above means the code page has
  // to convert; a byte equal to "\\" gets the separator.
  constexpr uint64_t kOnes = 0x0101010101010101u;
  constexpr uint64_t kHigh = 0x8080808080808080u;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    if (word & kHigh) break;
    const uint64_t x = word ^ (kOnes * '\\');
    if (((x - kOnes) & ~x & kHigh) == 0) continue;
    for (size_t j = i; j < i + 8; ++j) {
      if (bytes[j] == '\\') bytes[j] = '/';
    }
  }
  for (; i < size; ++i) {
    const char c = bytes[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      out->Assign(NativeSpelling(path));
      return;
    }
    if (c == '\\') bytes[i] = '/';
  }
  out->SetSize(size);
}

}  // namespace posix

std::string NativePath(const std::string& path) {
  return posix::MatchCase(NativeSpelling(path));
}

std::string OnDiskSpelling(const std::string& path) {
  const std::string written = NativeSpelling(path);
  // A drive the wine prefix maps: the file's own path is the only spelling
  // that names it here.
  if (posix::HasDriveLetter(path) && !posix::HasDriveLetter(written)) {
    std::string local;
    return SystemToLocalStrict(posix::MatchCase(written), &local) ? local : path;
  }
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
