// The host maker's preference store, "opt\Mirelsk.dll" in the host's
// installation folder, reached through its export GetOPTI.
#ifndef C51_PLUGIN_PREFERENCE_STORE_H_
#define C51_PLUGIN_PREFERENCE_STORE_H_

#include <string>

#include "platform/dynamic_library.h"

namespace c51 {

class PreferenceStore {
 public:
  // The text of `key` in `section`; false when the library cannot be
  // loaded, lacks GetOPTI, or holds no such value. The library is loaded
  // on first need and kept until the store is destroyed; a failed load is
  // tried again on the next call.
  bool GetValue(const std::string& install_dir, const char* section, const char* key,
                std::string* value);

 private:
  bool Load(const std::string& install_dir);

  DynamicLibrary library_;
  // The table GetOPTI returned: entry 0 opens a section, entry 4 gets a value.
  void* const* table_ = nullptr;
};

}  // namespace c51

#endif  // C51_PLUGIN_PREFERENCE_STORE_H_
