#include "host/existing_files.h"

#include <vector>

#include "platform/dir_list.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {

bool ExistingFiles::Exists(const std::string& path) {
  size_t slash = path.size();
  while (slash > 0 && !IsPathSeparator(path[slash - 1])) --slash;
  if (slash == 0 || slash == path.size()) return PathExists(path);
  const std::string folder = path.substr(0, slash);
  auto [at, added] = listed_.try_emplace(folder);
  if (added) {
    std::vector<std::string> names;
    if (ListFiles(folder, &names)) at->second.insert(names.begin(), names.end());
  }
  return at->second.count(path.substr(slash)) > 0 || PathExists(path);
}

}  // namespace c51::host
