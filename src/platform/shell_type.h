// The type name the shell shows for a file in its property dialogs.
#ifndef C51_PLATFORM_SHELL_TYPE_H_
#define C51_PLATFORM_SHELL_TYPE_H_

#include <string>

namespace c51 {

// Windows: the shell's registered type name; for a path not on disk, the
// name the shell gives its extension alone. Empty when the shell has none.
//
// POSIX has no type registry: an existing folder is "File Folder", any
// other path "<EXT> File" with its extension in upper case, or "File"
// without one. The extension follows the last "." of the last name, and a
// blank after that "." means there is none (as the shell reads it):
//   "C:\p\main.c" => "C File"        "/p/startup.a51" => "A51 File"
//   "/p/lib.tar.gz" => "GZ File"     "/p/Makefile" => "File"
//   "/p/name." => "File"             "/p/v1.2 notes" => "File"
std::string ShellTypeName(const std::string& path);

}  // namespace c51

#endif  // C51_PLATFORM_SHELL_TYPE_H_
