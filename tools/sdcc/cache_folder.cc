#include "sdcc/cache_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace c51::sdcc {

namespace {

// True when `path` is a folder of this user's that nobody else may write
// to. lstat: a link planted under a shared /tmp must not lead elsewhere.
bool IsPrivateFolder(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
         (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string CacheFolder() {
  std::string folder;
  const char* named = std::getenv("C51_SDCC_CACHE");
  if (named != nullptr) {
    if (*named == '\0') return std::string();
    folder = named;
  } else {
    const char* tmpdir = std::getenv("TMPDIR");
    folder = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
    if (folder.back() != '/') folder += '/';
    folder += "c51sdcc-cache-" + std::to_string(geteuid());
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::string();
  // One we cannot write to would have every run learn again for nothing.
  if (!IsPrivateFolder(folder) || access(folder.c_str(), W_OK | X_OK) != 0) return std::string();
  return folder + "/";
}

bool ReadCacheFile(const std::string& folder, const std::string& name, std::string* contents) {
  contents->clear();
  const int fd = open((folder + name).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  char buffer[4096];
  bool ok = true;
  while (true) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      contents->append(buffer, static_cast<size_t>(n));
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      ok = n == 0;
      break;
    }
  }
  close(fd);
  return ok;
}

bool WriteCacheFile(const std::string& folder, const std::string& name,
                    const std::string& contents) {
  // One temporary name per process: two tools writing the same entry at
  // once each rename a whole file.
  const std::string temp = folder + name + "." + std::to_string(getpid()) + ".tmp";
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < contents.size()) {
    const ssize_t n = write(fd, contents.data() + done, contents.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool written = close(fd) == 0 && done == contents.size();
  if (!written || rename(temp.c_str(), (folder + name).c_str()) != 0) {
    unlink(temp.c_str());
    return false;
  }
  return true;
}

void RemoveCacheFile(const std::string& folder, const std::string& name) {
  unlink((folder + name).c_str());
}

std::string FileIdentity(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return std::string();
  const long long nanoseconds =
      static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
  return std::to_string(st.st_dev) + " " + std::to_string(st.st_ino) + " " +
         std::to_string(st.st_size) + " " + std::to_string(nanoseconds);
}

std::string HashedCacheName(std::string_view prefix, std::string_view key) {
  uint64_t hash = 14695981039346656037ULL;
  for (char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char digits[20];
  snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string(prefix) + "-" + digits;
}

}  // namespace c51::sdcc
