#include "platform/dynamic_library.h"

#include <windows.h>

#include "platform/win32/error.h"

namespace c51 {

DynamicLibrary::~DynamicLibrary() {
  Close();
}

bool DynamicLibrary::Open(const std::string& path, std::string* err) {
  Close();
  // LoadLibrary wants "\" in paths: with "/" it may search instead of load.
  std::string native = path;
  for (char& c : native) {
    if (c == '/') c = '\\';
  }
  // A library with a missing dependency must fail quietly, not show the
  // system's error box to the user of the host.
  DWORD old_mode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old_mode);
  HMODULE module = LoadLibraryA(native.c_str());
  DWORD error = GetLastError();
  SetThreadErrorMode(old_mode, nullptr);
  if (!module) {
    if (err) *err = Win32CallError("LoadLibrary", native, error);
    return false;
  }
  handle_ = module;
  return true;
}

void* DynamicLibrary::Symbol(const char* name) const {
  if (!handle_ || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void DynamicLibrary::Close() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace c51
