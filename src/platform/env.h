// Process environment variables. The tools the build starts inherit them.
// Values are texts in the local code page (see LocalToSystemText); a value
// that code page cannot hold is read as it is.
#ifndef C51_PLATFORM_ENV_H_
#define C51_PLATFORM_ENV_H_

#include <string>

namespace c51 {

// False, and `value` untouched, when the variable is not set.
bool GetEnv(const std::string& name, std::string* value);
bool SetEnv(const std::string& name, const std::string& value);
bool UnsetEnv(const std::string& name);

// A variable's value as the system holds it, unconverted, so that it can
// be put back exactly (SetEnvBytes) whatever it holds.
bool GetEnvBytes(const std::string& name, std::string* value);
bool SetEnvBytes(const std::string& name, const std::string& value);

// The "PATH" value, in the system's bytes, for programs the build starts:
// `folder` (one of our texts) first. Windows: `folder` alone; the system
// still finds its own programs. POSIX: `folder`, then `inherited` (the
// "PATH" the process had, in the system's bytes; empty when unset), so a
// user command finds the programs it would find on Windows.
//   posix: ("/p/", "/usr/bin:/bin") => "/p/:/usr/bin:/bin";  ("/p/", "") => "/p/"
std::string ToolSearchPath(const std::string& folder, const std::string& inherited);

}  // namespace c51

#endif  // C51_PLATFORM_ENV_H_
