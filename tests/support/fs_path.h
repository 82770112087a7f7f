// Our path texts for std::filesystem, and a file's time moved ahead.
#ifndef C51_TESTS_SUPPORT_FS_PATH_H_
#define C51_TESTS_SUPPORT_FS_PATH_H_

#include <filesystem>
#include <string>

namespace c51::test {

// The file found as the platform finds it: on POSIX the name on disk
// (UTF-8, any letter case matched); on Windows the ANSI text as wide
// characters, which std::filesystem takes.
std::filesystem::path FsPath(const std::string& path);

// Moves the file's time `seconds` ahead, and to at least a second from
// now, so it is later than every file a build made before, whatever the
// file system's time resolution and however long the build took.
bool SetTimeForward(const std::string& path, int seconds);

}  // namespace c51::test

#endif  // C51_TESTS_SUPPORT_FS_PATH_H_
