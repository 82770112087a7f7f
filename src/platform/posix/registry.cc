// POSIX has no registry. The one value the plug-in reads, the command that
// opens project files, comes from the environment in the registry's form.
#include "platform/registry.h"

#include "platform/ascii_case.h"
#include "platform/env.h"

namespace c51 {
namespace {

constexpr char kOpenCommandKey[] = "UV2FILE\\Shell\\open\\command";

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
