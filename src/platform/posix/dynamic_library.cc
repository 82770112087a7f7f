#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include "platform/codepage.h"
#include "platform/path.h"

namespace c51 {

DynamicLibrary::~DynamicLibrary() {
  Close();
}

bool DynamicLibrary::Open(const std::string& path, std::string* err) {
  Close();
  // RTLD_NOW: a missing symbol fails here, as LoadLibrary does, not at the
  // first call. RTLD_LOCAL: two driver libraries may export the same names.
  const std::string native = NativePath(path);
  handle_ = dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* reason = dlerror();
    if (err) *err = SystemToLocalText("dlopen(" + native + "): " + (reason ? reason : "failed"));
    return false;
  }
  return true;
}

void* DynamicLibrary::Symbol(const char* name) const {
  return handle_ && name ? dlsym(handle_, name) : nullptr;
}

void DynamicLibrary::Close() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace c51
