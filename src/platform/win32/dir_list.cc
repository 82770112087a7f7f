#include "platform/dir_list.h"

#include <windows.h>

#include "platform/path.h"

namespace c51 {

bool ListFiles(const std::string& folder, std::vector<std::string>* names) {
  std::string pattern = folder.empty() ? std::string(".") : folder;
  if (!IsPathSeparator(pattern.back())) pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA(pattern.c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    names->push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return true;
}

}  // namespace c51
