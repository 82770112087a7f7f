// Paths as a terminal, an editor or a CI runner can open them. The
// plug-in and the tools name files the Windows way ("C:\P\.\SRC\MAIN.C",
// upper-cased by the compiler's filter, relative to the project folder);
// a user on Linux needs the file that exists: "/" between names, "." and
// ".." folded, each name in the letter case it has on disk, and short
// when the file lies below the current folder.
#ifndef C51_HOST_PATH_DISPLAY_H_
#define C51_HOST_PATH_DISPLAY_H_

#include <string>

namespace c51::host {

// `path` (local code page, "\" or "/", absolute or relative to `base`) as
// shown: relative to `cwd` when it lies below it (or is it: "."), else
// absolute; "/" between names, "." and ".." folded, the letter case of
// each name that exists taken from the disk (NativePath, POSIX) and a
// trailing separator kept. Texts stay in the local code page. `base` and
// `cwd` are absolute folders. With base "/p", cwd "/p", "src/main.c" on
// disk:
//   "/p/.\SRC\MAIN.C"       => "src/main.c"
//   ".\SRC\..\SRC\MAIN.C"   => "src/main.c"
//   "/q/x.c"                => "/q/x.c"
//   ".\Debug\"              => "Debug/"   (kept as written when missing)
std::string DisplayPath(const std::string& path, const std::string& base, const std::string& cwd);

}  // namespace c51::host

#endif  // C51_HOST_PATH_DISPLAY_H_
