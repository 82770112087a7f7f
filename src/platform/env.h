// Process environment variables. The tools the build starts inherit them.
#ifndef C51_PLATFORM_ENV_H_
#define C51_PLATFORM_ENV_H_

#include <string>

namespace c51 {

// False, and `value` untouched, when the variable is not set.
bool GetEnv(const std::string& name, std::string* value);
bool SetEnv(const std::string& name, const std::string& value);
bool UnsetEnv(const std::string& name);

}  // namespace c51

#endif  // C51_PLATFORM_ENV_H_
