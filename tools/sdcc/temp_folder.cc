#include "sdcc/temp_folder.h"

#include <linux/magic.h>
#include <stdlib.h>
#include <sys/vfs.h>

#include <cstdlib>
#include <vector>

#include "platform/fs.h"
#include "platform/path.h"

namespace c51::sdcc {

namespace {

// Plain ASCII names read the same in every code page, so the folder's name
// is a text of ours as it is.
bool IsPlainAscii(const std::string& text) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u >= 0x7F) return false;
  }
  return true;
}

// A new folder on a memory file system; empty when TMPDIR names the place
// or there is none we may write to.
std::string MakeMemoryTempDirectory() {
  const char* tmpdir = std::getenv("TMPDIR");
  if (tmpdir != nullptr && *tmpdir != '\0') return std::string();
  std::vector<std::string> bases;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') bases.push_back(runtime);
  bases.push_back("/dev/shm");
  for (std::string base : bases) {
    struct statfs fs;
    if (!IsPlainAscii(base) || statfs(base.c_str(), &fs) != 0 || fs.f_type != TMPFS_MAGIC) {
      continue;
    }
    if (base.back() != '/') base += '/';
    std::string pattern = base + "c51sdcc-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) return pattern + "/";
  }
  return std::string();
}

}  // namespace

TempFolder::TempFolder() : path_(MakeMemoryTempDirectory()) {
  if (path_.empty()) path_ = MakeTempDirectory("c51sdcc-");
  if (!path_.empty()) native_ = NativeSpelling(path_);
}

TempFolder::~TempFolder() {
  // Nothing to report to at this point: a folder left behind is harmless.
  if (!path_.empty()) RemoveTree(path_);
}

}  // namespace c51::sdcc
