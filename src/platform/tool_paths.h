// The form in which a toolchain program receives a path. A Windows program
// run through wine on POSIX names files by the prefix's drives, so every
// absolute path the build hands it (command line, command file,
// environment) is written that way; everything else gets the path as is.
#ifndef C51_PLATFORM_TOOL_PATHS_H_
#define C51_PLATFORM_TOOL_PATHS_H_

#include <string>

namespace c51 {

// `path` as the program `program` names the same file. POSIX, for a
// Windows program (its file starts with "MZ"): an absolute path in the
// form the wine prefix maps it to, by default "Z:\home\ann\x.c", or
// "C:\Keil\C51\INC\" for a folder inside the prefix's drive_c; a relative
// path, and every path for any other program, unchanged. Windows:
// unchanged. The program file is only read for an absolute path.
#ifdef _WIN32
inline std::string PathForProgram(const std::string&, const std::string& path) {
  return path;
}
#else
std::string PathForProgram(const std::string& program, const std::string& path);
#endif

// Whether the program runs through wine: on POSIX, a Windows program (its
// file starts with "MZ"); on Windows, never.
#ifdef _WIN32
inline bool RunsThroughWine(const std::string&) {
  return false;
}
#else
bool RunsThroughWine(const std::string& program);
#endif

}  // namespace c51

#endif  // C51_PLATFORM_TOOL_PATHS_H_
