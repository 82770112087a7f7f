// File system services: existence, times, folders, whole-file reads.
// Every path is a text of ours (local code page, "\" or "/" as separator)
// and is found as NativePath (path.h) finds it: on POSIX in any letter
// case. Names handed back (folders, listings) are in the local code page.
#ifndef C51_PLATFORM_FS_H_
#define C51_PLATFORM_FS_H_

#include <cstdint>
#include <string>

namespace c51 {

// True when a file or a folder exists at `path`.
bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);

// Last modification time in 100-nanosecond ticks since 1601 (FILETIME), the
// same scale on every platform. 0 when the file is missing or unreadable.
int64_t ModificationTime(const std::string& path);

// What identifies one version of a file: its modification time (the scale
// above) and its size. time 0: missing or unreadable, or a folder.
struct FileStamp {
  int64_t time = 0;
  int64_t size = 0;
};
FileStamp StampOf(const std::string& path);

// Creates the folder and any missing parents. True when it exists afterwards.
bool CreateDirectories(const std::string& path);

// The process's current directory, without a trailing separator (unless it
// is a root). Empty when it cannot be read or the local code page cannot
// hold its name; likewise ExecutableDirectory and MakeTempDirectory.
std::string CurrentDirectory();
bool ChangeCurrentDirectory(const std::string& path);

bool RemoveFile(const std::string& path);

// Moves `from` over `to` in one step (both in the same folder): a reader
// sees the old file or the new one, never a part.
bool MoveFileOver(const std::string& from, const std::string& to);

enum class ReadStatus { kOkay, kNotFound, kOtherError };
// Reads a whole regular file. On failure `err` names the call and the path.
ReadStatus ReadWholeFile(const std::string& path, std::string* contents, std::string* err);

// Writes (replaces) a whole file. On failure `err` names the call and the path.
bool WriteWholeFile(const std::string& path, const std::string& contents, std::string* err);

// Adds `text` at the end of a file, made when missing, in one write: a
// short line lands whole or not at all.
bool AppendToFile(const std::string& path, const std::string& text);

// The folder of the running executable, ending in a separator.
std::string ExecutableDirectory();

// A new empty folder under the system's temporary folder, ending in a
// separator; empty on failure. The caller removes it (RemoveTree).
std::string MakeTempDirectory(const std::string& prefix);

// Removes a folder and everything below it. True when nothing is left.
bool RemoveTree(const std::string& path);

}  // namespace c51

#endif  // C51_PLATFORM_FS_H_
