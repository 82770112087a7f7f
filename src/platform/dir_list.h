// The names of the files in one folder.
#ifndef C51_PLATFORM_DIR_LIST_H_
#define C51_PLATFORM_DIR_LIST_H_

#include <string>
#include <vector>

namespace c51 {

// Appends to `names` the name (without folder) of every entry of `folder`
// that is not a folder itself, in the order the system lists them, in the
// local code page (names it cannot hold are left out). False when the
// folder cannot be read.
bool ListFiles(const std::string& folder, std::vector<std::string>* names);

}  // namespace c51

#endif  // C51_PLATFORM_DIR_LIST_H_
