#include "platform/input_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/path.h"
#include "platform/posix/file_case.h"
#include "platform/posix/path_text.h"

namespace c51 {
namespace {

// Seconds between 1601-01-01 (FILETIME) and 1970-01-01 (Unix).
constexpr int64_t kFileTimeToUnixSeconds = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000LL;

}  // namespace

InputFile::~InputFile() {
  Close();
}

InputFile::Status InputFile::Open(const std::string& path) {
  Close();
  // Tried as written first: the build opens every object, and matching the
  // letter case costs a folder lookup.
  posix::PathText native;
  posix::SpellNative(path, &native);
  int fd = -1;
  {
    posix::PathText presumed;
    if (posix::PresumedMatch(native.view(), &presumed)) {
      fd = open(presumed.c_str(), O_RDONLY | O_CLOEXEC);
    }
  }
  if (fd < 0) fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 && (errno == ENOENT || errno == ENOTDIR)) {
    const std::string written(native.view());
    const std::string matched = posix::MatchCaseOfMissing(written);
    if (matched != written) fd = open(matched.c_str(), O_RDONLY | O_CLOEXEC);
  }
  if (fd < 0) return errno == ENOENT || errno == ENOTDIR ? Status::kNotFound : Status::kOtherError;
  handle_ = fd;
  struct stat st;
  if (fstat(fd, &st) != 0) {
    time_ = 0;
    return Status::kOkay;
  }
  // open() accepts a folder; read() would then fail with EISDIR.
  if (S_ISDIR(st.st_mode)) {
    Close();
    return Status::kOtherError;
  }
  time_ = (static_cast<int64_t>(st.st_mtim.tv_sec) + kFileTimeToUnixSeconds) * kTicksPerSecond +
          st.st_mtim.tv_nsec / 100;
  return Status::kOkay;
}

void InputFile::Close() {
  if (handle_ == kClosed) return;
  close(static_cast<int>(handle_));
  handle_ = kClosed;
  time_ = -1;
}

int64_t InputFile::ModificationTime() const {
  return handle_ == kClosed || time_ < 0 ? 0 : time_;
}

size_t InputFile::Read(char* buffer, size_t size) {
  if (handle_ == kClosed || size == 0) return 0;
  for (;;) {
    ssize_t n = read(static_cast<int>(handle_), buffer, size);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) return 0;
  }
}

}  // namespace c51
