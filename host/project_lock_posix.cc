#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <string>

#include "host/project_lock.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {
namespace {

// The process id a lock file holds; 0 when it holds none (being written,
// or not ours).
long HolderOf(const std::string& lock_path) {
  std::string text;
  if (ReadWholeFile(lock_path, &text, nullptr) != ReadStatus::kOkay) return 0;
  long pid = 0;
  for (char c : text) {
    if (c == '\n') break;
    if (c < '0' || c > '9' || pid > 100000000) return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

bool Running(long pid) {
  return kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

void Sleep(int milliseconds) {
  struct timespec pause = {milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
  }
}

}  // namespace

bool ProjectLock::Acquire(const std::string& project_path, std::string* err, int wait_ms) {
  Release();
  const std::string lock_path = LockPathOf(project_path);
  const std::string native = NativePath(lock_path);
  const std::string content = std::to_string(static_cast<long>(getpid())) + "\n";
  long holder = 0;
  for (int waited = 0;; waited += 20) {
    int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      const bool written =
          write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
      if (close(fd) == 0 && written) {
        path_ = lock_path;
        return true;
      }
      unlink(native.c_str());
      if (err) *err = "cannot write the lock file " + lock_path;
      return false;
    }
    if (errno != EEXIST) {
      if (err) *err = "cannot make the lock file " + lock_path + ": " + strerror(errno);
      return false;
    }
    holder = HolderOf(lock_path);
    // A holder that ended without removing its lock (killed): the lock is
    // free. A file without a process id may still be being written.
    if (holder != 0 && !Running(holder) && HolderOf(lock_path) == holder) {
      unlink(native.c_str());
      continue;
    }
    if (waited >= wait_ms) break;
    Sleep(20);
  }
  if (err) {
    *err = "another command is changing this project (lock file " + lock_path +
           (holder != 0 ? ", process " + std::to_string(holder) : std::string()) +
           "); try again when it is done, or remove the lock file if no command runs";
  }
  return false;
}

void ProjectLock::Release() {
  if (path_.empty()) return;
  RemoveFile(path_);
  path_.clear();
}

}  // namespace c51::host
