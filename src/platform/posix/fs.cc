// File system services on POSIX. Every path goes through NativePath, so
// "\" from project data reaches the kernel as "/".
#include "platform/fs.h"

#include <errno.h>
#include <fcntl.h>
#include <ftw.h>
#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/codepage.h"
#include "platform/path.h"
#include "platform/posix/file_case.h"
#include "platform/posix/folder_handles.h"
#include "platform/posix/path_text.h"

namespace c51 {
namespace {

// Seconds between 1601-01-01 (FILETIME) and 1970-01-01 (Unix).
constexpr int64_t kFileTimeToUnixSeconds = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

// `native` is the name as the system saw it; the message is one of our
// texts.
std::string CallError(const char* call, const std::string& native, int error) {
  return std::string(call) + "(" + SystemToLocalText(native) +
         "): " + SystemToLocalText(strerror(error));
}

// close() after a failed read or write must not replace the first errno.
void CloseKeepingErrno(int fd) {
  int saved = errno;
  close(fd);
  errno = saved;
}

int RemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
  // Keep walking after a failure: RemoveTree reports what is left.
  remove(path);
  return 0;
}

}  // namespace

namespace {

// stat() of one of our paths. The build stats every source and object: the
// name is tried as written first, and matched in another letter case only
// when that fails.
int StatPath(const std::string& path, struct stat* st) {
  posix::PathText native;
  posix::SpellNative(path, &native);
  {
    posix::PathText presumed;
    if (posix::PresumedMatch(native.view(), &presumed) &&
        posix::StatThroughFolder(presumed.c_str(), presumed.view().size(), st) == 0) {
      return 0;
    }
  }
  if (posix::StatThroughFolder(native.c_str(), native.view().size(), st) == 0) return 0;
  if (errno != ENOENT && errno != ENOTDIR) return -1;
  const std::string written(native.view());
  const std::string matched = posix::MatchCaseOfMissing(written);
  if (matched == written) {
    errno = ENOENT;
    return -1;
  }
  return stat(matched.c_str(), st);
}

// A name the file system handed us, in the local code page; empty when
// that code page cannot hold it.
std::string LocalName(const std::string& native) {
  std::string local;
  return SystemToLocalStrict(native, &local) ? local : std::string();
}

}  // namespace

bool PathExists(const std::string& path) {
  struct stat st;
  return StatPath(path, &st) == 0;
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return StatPath(path, &st) == 0 && S_ISDIR(st.st_mode);
}

FileStamp StampOf(const std::string& path) {
  struct stat st;
  FileStamp stamp;
  if (StatPath(path, &st) != 0 || S_ISDIR(st.st_mode)) return stamp;
  stamp.time =
      (static_cast<int64_t>(st.st_mtim.tv_sec) + kFileTimeToUnixSeconds) * kTicksPerSecond +
      st.st_mtim.tv_nsec / 100;
  stamp.size = static_cast<int64_t>(st.st_size);
  return stamp;
}

int64_t ModificationTime(const std::string& path) {
  struct stat st;
  if (StatPath(path, &st) != 0) return 0;
  return (static_cast<int64_t>(st.st_mtim.tv_sec) + kFileTimeToUnixSeconds) * kTicksPerSecond +
         st.st_mtim.tv_nsec / 100;
}

bool CreateDirectories(const std::string& path) {
  std::string native = NativePath(path);
  if (native.empty()) return false;
  // Create each prefix that ends before a separator, then the whole path;
  // EEXIST from an existing parent is expected.
  for (size_t i = 1; i <= native.size(); ++i) {
    if (i < native.size() && native[i] != '/') continue;
    if (native[i - 1] == '/') continue;
    std::string prefix = native.substr(0, i);
    if (mkdir(prefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
  }
  struct stat st;
  return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string CurrentDirectory() {
  std::vector<char> buffer(PATH_MAX);
  // getcwd has no size query; grow on ERANGE within a sane bound.
  while (buffer.size() <= (1u << 20)) {
    if (getcwd(buffer.data(), buffer.size())) return LocalName(buffer.data());
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string();
}

bool ChangeCurrentDirectory(const std::string& path) {
  return chdir(NativePath(path).c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
  return unlink(NativePath(path).c_str()) == 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
  // A folder moved over another replaces it.
  FileNameMatchScope::FoldersMayHaveChanged();
  return rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

ReadStatus ReadWholeFile(const std::string& path, std::string* contents, std::string* err) {
  std::string native = NativePath(path);
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int error = errno;
    if (err) *err = CallError("open", native, error);
    return error == ENOENT || error == ENOTDIR ? ReadStatus::kNotFound : ReadStatus::kOtherError;
  }
  struct stat st;
  if (fstat(fd, &st) != 0) {
    if (err) *err = CallError("fstat", native, errno);
    CloseKeepingErrno(fd);
    return ReadStatus::kOtherError;
  }
  if (!S_ISREG(st.st_mode)) {
    if (err) *err = "read(" + SystemToLocalText(native) + "): not a regular file";
    close(fd);
    return ReadStatus::kOtherError;
  }
  std::string data;
  if (static_cast<uint64_t>(st.st_size) < data.max_size()) {
    data.reserve(static_cast<size_t>(st.st_size));
  }
  // Read to the end rather than st_size bytes: the file may be growing.
  char chunk[64 * 1024];
  for (;;) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      if (err) *err = CallError("read", native, errno);
      CloseKeepingErrno(fd);
      return ReadStatus::kOtherError;
    }
    data.append(chunk, static_cast<size_t>(n));
  }
  close(fd);
  *contents = std::move(data);
  return ReadStatus::kOkay;
}

bool WriteWholeFile(const std::string& path, const std::string& contents, std::string* err) {
  std::string native = NativePath(path);
  int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (err) *err = CallError("open", native, errno);
    return false;
  }
  size_t done = 0;
  while (done < contents.size()) {
    ssize_t n = write(fd, contents.data() + done, contents.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (err) *err = CallError("write", native, errno);
      CloseKeepingErrno(fd);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  // NFS and full disks report write errors only at close.
  if (close(fd) != 0) {
    if (err) *err = CallError("close", native, errno);
    return false;
  }
  return true;
}

bool AppendToFile(const std::string& path, const std::string& text) {
  std::string native = NativePath(path);
  int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  ssize_t n;
  do {
    n = write(fd, text.data(), text.size());
  } while (n < 0 && errno == EINTR);
  const bool whole = n == static_cast<ssize_t>(text.size());
  return close(fd) == 0 && whole;
}

std::string ExecutableDirectory() {
  std::vector<char> buffer(PATH_MAX);
  // readlink truncates silently: a result that fills the buffer may be cut.
  while (buffer.size() <= (1u << 20)) {
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < buffer.size()) {
      std::string exe(buffer.data(), static_cast<size_t>(n));
      return LocalName(exe.substr(0, exe.rfind('/') + 1));
    }
    buffer.resize(buffer.size() * 2);
  }
  return std::string();
}

std::string MakeTempDirectory(const std::string& prefix) {
  // The variable's text is a file system name already.
  const char* tmpdir = getenv("TMPDIR");
  std::string base = tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/tmp";
  if (base.back() != '/') base.push_back('/');
  std::string pattern = base + NativeSpelling(prefix) + "XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) return std::string();
  std::string made = LocalName(std::string(buffer.data()) + "/");
  // A folder whose name we cannot hold is no use to the caller.
  if (made.empty()) rmdir(buffer.data());
  return made;
}

bool RemoveTree(const std::string& path) {
  FileNameMatchScope::FoldersMayHaveChanged();
  std::string native = NativePath(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  // FTW_DEPTH visits a folder after its contents; FTW_PHYS removes symbolic
  // links instead of following them out of the tree.
  nftw(native.c_str(), RemoveEntry, 16, FTW_DEPTH | FTW_PHYS);
  struct stat st;
  return lstat(native.c_str(), &st) != 0 && errno == ENOENT;
}

}  // namespace c51
