// The process environment block, not the C runtime's copy: processes the
// build starts with CreateProcess inherit only the block.
#include "platform/env.h"

#include <windows.h>

#include <vector>

namespace c51 {
namespace {

bool ValidName(const std::string& name) {
  return !name.empty() && name.find('=') == std::string::npos;
}

}  // namespace

bool GetEnv(const std::string& name, std::string* value) {
  if (!ValidName(name)) return false;
  // The size query counts the NUL, so an empty value answers 1 and only a
  // missing variable answers 0. Another thread may grow the value between
  // the calls: retry a few times with the new size.
  DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  for (int attempt = 0; size != 0 && attempt < 4; ++attempt) {
    std::vector<char> buffer(size);
    SetLastError(ERROR_SUCCESS);  // an empty value answers 0 without an error
    DWORD n = GetEnvironmentVariableA(name.c_str(), buffer.data(), size);
    if (n == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
    if (n < size) {
      value->assign(buffer.data(), n);
      return true;
    }
    size = n;
  }
  return false;
}

bool SetEnv(const std::string& name, const std::string& value) {
  return ValidName(name) && SetEnvironmentVariableA(name.c_str(), value.c_str());
}

bool UnsetEnv(const std::string& name) {
  if (!ValidName(name)) return false;
  // Removing a variable that is not there is no failure, as with unsetenv.
  if (SetEnvironmentVariableA(name.c_str(), nullptr)) return true;
  std::string ignored;
  return !GetEnv(name, &ignored);
}

bool GetEnvBytes(const std::string& name, std::string* value) {
  return GetEnv(name, value);
}

bool SetEnvBytes(const std::string& name, const std::string& value) {
  return SetEnv(name, value);
}

std::string ToolSearchPath(const std::string& folder, const std::string&) {
  return folder;
}

}  // namespace c51
