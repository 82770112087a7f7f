#include <windows.h>

#include <string>

#include "host/project_lock.h"

namespace c51::host {

// Windows removes a file opened with FILE_FLAG_DELETE_ON_CLOSE when the
// last handle closes, also when the process is killed: no lock outlives
// its holder, and an existing one is always held.
bool ProjectLock::Acquire(const std::string& project_path, std::string* err, int wait_ms) {
  Release();
  const std::string lock_path = LockPathOf(project_path);
  const std::string content = std::to_string(GetCurrentProcessId()) + "\r\n";
  for (int waited = 0;; waited += 20) {
    HANDLE file =
        CreateFileA(lock_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
      handle_ = file;
      path_ = lock_path;
      return true;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ACCESS_DENIED &&
        error != ERROR_SHARING_VIOLATION) {
      if (err)
        *err = "cannot make the lock file " + lock_path + " (system error " +
               std::to_string(error) + ")";
      return false;
    }
    if (waited >= wait_ms) break;
    Sleep(20);
  }
  if (err) {
    *err = "another command is changing this project (lock file " + lock_path +
           "); try again when it is done";
  }
  return false;
}

void ProjectLock::Release() {
  if (handle_ != nullptr) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  path_.clear();
}

}  // namespace c51::host
