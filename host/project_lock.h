// One command at a time changes a project file. A command that changes it
// holds "<project file>.lock" (made exclusively, holding the process id)
// from before it reads the file until after it wrote it, so a second one
// reads what the first wrote instead of overwriting it. A lock left by a
// process that no longer runs is taken over.
#ifndef C51_HOST_PROJECT_LOCK_H_
#define C51_HOST_PROJECT_LOCK_H_

#include <string>

namespace c51::host {

class ProjectLock {
 public:
  // How long Acquire waits for another command's lock.
  static constexpr int kWaitMilliseconds = 10000;

  ProjectLock() = default;
  ~ProjectLock() { Release(); }
  ProjectLock(const ProjectLock&) = delete;
  ProjectLock& operator=(const ProjectLock&) = delete;

  // Takes the lock of `project_path`, waiting up to `wait_ms` while
  // another running process holds it. False with `err` (the lock file and
  // the process holding it) when it is still held then or cannot be made.
  bool Acquire(const std::string& project_path, std::string* err, int wait_ms = kWaitMilliseconds);
  void Release();
  bool held() const { return !path_.empty(); }

  static std::string LockPathOf(const std::string& project_path) { return project_path + ".lock"; }

 private:
  std::string path_;  // of the lock file while held
#if defined(_WIN32)
  void* handle_ = nullptr;
#endif
};

}  // namespace c51::host

#endif  // C51_HOST_PROJECT_LOCK_H_
