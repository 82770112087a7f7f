#include "platform/dir_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include "platform/codepage.h"
#include "platform/path.h"

namespace c51 {

bool ListFiles(const std::string& folder, std::vector<std::string>* names) {
  const std::string native = NativePath(folder.empty() ? "." : folder);
  DIR* dir = opendir(native.c_str());
  if (dir == nullptr) return false;
  const std::string prefix = native.back() == '/' ? native : native + "/";
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    bool is_folder = entry->d_type == DT_DIR;
    // Some file systems leave the type to a stat of the entry.
    if (entry->d_type == DT_UNKNOWN) {
      struct stat st;
      is_folder = stat((prefix + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    }
    if (is_folder) continue;
    // A name the local code page cannot hold could not be used to reach
    // the file again: it is left out.
    std::string local;
    if (SystemToLocalStrict(name, &local)) names->push_back(std::move(local));
  }
  closedir(dir);
  return true;
}

}  // namespace c51
