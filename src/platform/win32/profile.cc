#include "platform/profile.h"

#include <windows.h>

#include "platform/path.h"

namespace c51 {
namespace {

// Profile texts have no size query: grow the buffer until the answer is
// shorter than the truncated length, up to a bound no real file reaches.
constexpr DWORD kMaxBuffer = 16 * 1024 * 1024;

// A relative name would be looked up in the Windows folder; the other
// platforms read it against the current folder, so do the same here.
std::string ProfilePath(const std::string& file) {
  return FullPath(file);
}

}  // namespace

std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  std::string path = ProfilePath(file);
  std::string buffer(256, '\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(),
                                       buffer.data(), size, path.c_str());
    // A value that did not fit comes back with size - 1 characters.
    if (n + 1 < size || size >= kMaxBuffer) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(static_cast<size_t>(size) * 2);
  }
}

std::vector<std::string> ReadProfileKeys(const std::string& file, const std::string& section) {
  std::string path = ProfilePath(file);
  std::string buffer(1024, '\0');
  DWORD n = 0;
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    // A null key name asks for every key, each ended by a NUL, the list by
    // a second one; a list that did not fit comes back with size - 2.
    n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), size, path.c_str());
    if (n + 2 < size || size >= kMaxBuffer) break;
    buffer.resize(static_cast<size_t>(size) * 2);
  }
  std::vector<std::string> keys;
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (buffer[i] != '\0') continue;
    if (i > start) keys.push_back(buffer.substr(start, i - start));
    start = i + 1;
  }
  if (start < n) keys.push_back(buffer.substr(start, n - start));
  return keys;
}

}  // namespace c51
