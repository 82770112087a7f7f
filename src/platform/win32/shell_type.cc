// Shell type names from the shell's file type registry, through the ANSI
// function so that the name comes in the local code page like every text.
#include "platform/shell_type.h"

#include <windows.h>
// <windows.h> leaves the shell out under WIN32_LEAN_AND_MEAN.
#include <shellapi.h>

#include <cstring>

namespace c51 {

std::string ShellTypeName(const std::string& path) {
  SHFILEINFOA info{};
  if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_TYPENAME) == 0) {
    // The shell asks the file system first and fails for a path that is
    // not there; told to take the attributes as given, it names the type
    // by the extension alone.
    info = SHFILEINFOA{};
    if (SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                       SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES) == 0) {
      return std::string();
    }
  }
  return std::string(info.szTypeName, strnlen(info.szTypeName, sizeof info.szTypeName));
}

}  // namespace c51
