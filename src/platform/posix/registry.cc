// POSIX has no registry. The one value the plug-in reads, the command that
// opens project files, comes from the environment in the registry's form.
#include "platform/registry.h"

#include "platform/env.h"

namespace c51 {
namespace {

constexpr char kOpenCommandKey[] = "UV2FILE\\Shell\\open\\command";

bool EqualsIgnoringCase(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return i == a.size() && !b[i];
}

}  // namespace

bool ReadClassesRootDefault(const std::string& subkey, std::string* value) {
  if (!EqualsIgnoringCase(subkey, kOpenCommandKey)) return false;
  std::string command;
  if (!GetEnv("UV2FILE_OPEN_COMMAND", &command)) return false;
  for (char& c : command) {
    if (c == '/') c = '\\';
  }
  *value = std::move(command);
  return true;
}

}  // namespace c51
