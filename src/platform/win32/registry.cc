#include "platform/registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace c51 {
namespace {

// A command line; anything larger is not what we are looking for.
constexpr DWORD kMaxValueBytes = 64 * 1024;

}  // namespace

bool ReadClassesRootDefault(const std::string& subkey, std::string* value) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  bool found = false;
  DWORD type = 0;
  DWORD size = 0;
  LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
  // The value may change between the size query and the read: retry on
  // ERROR_MORE_DATA, within the bound.
  for (int attempt = 0; attempt < 4 && status == ERROR_SUCCESS && size <= kMaxValueBytes;
       ++attempt) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) break;
    std::vector<char> buffer(size + 1);
    DWORD got = size;
    status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                              &got);
    if (status == ERROR_MORE_DATA) {
      size = got;
      status = ERROR_SUCCESS;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    // The stored bytes need not end in a NUL; the text ends at the first.
    std::string text(buffer.data(), got);
    text.resize(std::min(text.size(), text.find('\0')));
    *value = std::move(text);
    found = true;
    break;
  }
  RegCloseKey(key);
  return found;
}

}  // namespace c51
