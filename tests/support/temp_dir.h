// A temporary folder that lives as long as the object.
#ifndef C51_TESTS_SUPPORT_TEMP_DIR_H_
#define C51_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>

#include "platform/fs.h"

namespace c51::test {

class ScopedTempDir {
 public:
  explicit ScopedTempDir(const char* prefix = "c51test") : path_(MakeTempDirectory(prefix)) {}
  ~ScopedTempDir() {
    if (!path_.empty()) RemoveTree(path_);
  }
  ScopedTempDir(const ScopedTempDir&) = delete;
  ScopedTempDir& operator=(const ScopedTempDir&) = delete;

  // Ends in a separator; empty when the folder could not be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace c51::test

#endif  // C51_TESTS_SUPPORT_TEMP_DIR_H_
