// Through the ANSI functions, so that project texts in the local code page
// reach the kernel unchanged.
#include "platform/input_file.h"

#include <windows.h>

namespace c51 {
namespace {

HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

InputFile::~InputFile() {
  Close();
}

InputFile::Status InputFile::Open(const std::string& path) {
  Close();
  // Share everything: an editor or the build may hold the file open.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Status::kNotFound
                                                                          : Status::kOtherError;
  }
  handle_ = reinterpret_cast<intptr_t>(file);
  return Status::kOkay;
}

void InputFile::Close() {
  if (handle_ == kClosed) return;
  CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
}

int64_t InputFile::ModificationTime() const {
  FILETIME written;
  if (handle_ == kClosed || !GetFileTime(AsHandle(handle_), nullptr, nullptr, &written)) return 0;
  return static_cast<int64_t>((static_cast<uint64_t>(written.dwHighDateTime) << 32) |
                              written.dwLowDateTime);
}

size_t InputFile::Read(char* buffer, size_t size) {
  if (handle_ == kClosed || size == 0) return 0;
  // ReadFile takes a 32-bit count.
  DWORD want = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
  DWORD n = 0;
  if (!ReadFile(AsHandle(handle_), buffer, want, &n, nullptr)) return 0;
  return n;
}

}  // namespace c51
