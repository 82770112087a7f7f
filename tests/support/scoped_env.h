// An environment variable set (or, with null, removed) for one scope; what
// was there comes back byte for byte. Programs a test starts inherit it.
#ifndef C51_TESTS_SUPPORT_SCOPED_ENV_H_
#define C51_TESTS_SUPPORT_SCOPED_ENV_H_

#include <string>
#include <utility>

#include "platform/env.h"

namespace c51::test {

class ScopedEnv {
 public:
  // `value` in the system's bytes, as a user's shell would set it.
  ScopedEnv(std::string name, const char* value) : name_(std::move(name)) {
    had_ = GetEnvBytes(name_, &saved_);
    if (value) {
      SetEnvBytes(name_, value);
    } else {
      UnsetEnv(name_);
    }
  }
  ScopedEnv(std::string name, const std::string& value)
      : ScopedEnv(std::move(name), value.c_str()) {}
  ~ScopedEnv() {
    if (had_) {
      SetEnvBytes(name_, saved_);
    } else {
      UnsetEnv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  std::string saved_;
  bool had_ = false;
};

}  // namespace c51::test

#endif  // C51_TESTS_SUPPORT_SCOPED_ENV_H_
