// Whether files exist, answered from one listing per folder: a check of
// every source of a project before its build would otherwise cost a stat
// per file, on top of the build's own.
#ifndef C51_HOST_EXISTING_FILES_H_
#define C51_HOST_EXISTING_FILES_H_

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace c51::host {

class ExistingFiles {
 public:
  // True when `path` (absolute, native separators) names a file. A name the
  // listing does not hold as written is asked of the file system, which
  // knows the other spellings that reach the file (letter case).
  bool Exists(const std::string& path);

 private:
  // Folder (up to its last separator) => the names of its files; empty
  // when it cannot be listed.
  std::unordered_map<std::string, std::unordered_set<std::string>> listed_;
};

}  // namespace c51::host

#endif  // C51_HOST_EXISTING_FILES_H_
