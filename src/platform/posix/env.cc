#include "platform/env.h"

#include <stdlib.h>

#include "platform/codepage.h"
#include "platform/path.h"

namespace c51 {
namespace {

// getenv would look up "A=B" as the variable "A" with a value prefix.
bool ValidName(const std::string& name) {
  return !name.empty() && name.find('=') == std::string::npos;
}

}  // namespace

bool GetEnv(const std::string& name, std::string* value) {
  if (!ValidName(name)) return false;
  const char* text = getenv(name.c_str());
  if (!text) return false;
  *value = SystemToLocalText(text);
  return true;
}

bool SetEnv(const std::string& name, const std::string& value) {
  return ValidName(name) && setenv(name.c_str(), LocalToSystemText(value).c_str(), 1) == 0;
}

bool UnsetEnv(const std::string& name) {
  return ValidName(name) && unsetenv(name.c_str()) == 0;
}

bool GetEnvBytes(const std::string& name, std::string* value) {
  if (!ValidName(name)) return false;
  const char* text = getenv(name.c_str());
  if (!text) return false;
  *value = text;
  return true;
}

bool SetEnvBytes(const std::string& name, const std::string& value) {
  return ValidName(name) && setenv(name.c_str(), value.c_str(), 1) == 0;
}

std::string ToolSearchPath(const std::string& folder, const std::string& inherited) {
  std::string path = NativeSpelling(folder);
  if (!inherited.empty()) path += ":" + inherited;
  return path;
}

}  // namespace c51
