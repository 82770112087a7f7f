// A dynamic library loaded at run time (LoadLibrary / dlopen), freed by the
// destructor.
#ifndef C51_PLATFORM_DYNAMIC_LIBRARY_H_
#define C51_PLATFORM_DYNAMIC_LIBRARY_H_

#include <string>

namespace c51 {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads the library at `path` ("\" or "/" separators); a library already
  // held is freed first. On failure `err` (may be null) names the path.
  bool Open(const std::string& path, std::string* err);
  // The address of an exported symbol; null when missing or not loaded.
  void* Symbol(const char* name) const;
  void Close();
  bool is_open() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;  // HMODULE or dlopen handle
};

}  // namespace c51

#endif  // C51_PLATFORM_DYNAMIC_LIBRARY_H_
