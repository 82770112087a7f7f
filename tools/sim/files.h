// Paths and files for the tools. Paths are texts of ours (the local code
// page) as the build composed them, with "\" (and maybe "/") as
// separators; the platform layer finds the file as Windows would (any
// letter case) only when it is opened, so names in messages keep the
// caller's form.
#ifndef C51_TOOLS_SIM_FILES_H_
#define C51_TOOLS_SIM_FILES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/path.h"
#include "support/path_text.h"

namespace c51::sim {

// How the tools break a path into folder and name: "\", "/" and a drive's
// ":" (a Windows program reads "C:x.c" as "x.c" on drive C). For the
// lexical parts of support/path_text.h: DirectoryPart(path, kToolBreaks).
inline constexpr PathBreak kToolBreaks = PathBreak::kSlashOrDrive;

// Whether `path` names its file without a current folder: Windows needs a
// drive and its root, or a server; POSIX a leading separator ("\" is the
// build's way to write it). Unlike IsAbsolutePath in support, "\x" and
// "C:x" depend on the current drive or folder on Windows:
//   windows: "C:\x", "C:/x", "\\server\x" => true; "\x", "C:x", "x" => false
//   posix:   "/x", "\x" => true; "C:\x", "x" => false
bool IsFullyQualified(std::string_view path, PathStyle style);

// `path` against the folder `cwd` with "." and ".." resolved; the separator
// is "\" for Windows and "/" for POSIX. Unlike LexicalFullPath in
// platform/path.h, a trailing separator goes, "" is `cwd` itself and a
// path that is not fully qualified (IsFullyQualified) is always a name
// inside `cwd`, except "\x" on the current drive:
//   windows: ".\src\..\inc\a.h" in "C:\p" => "C:\p\inc\a.h"
//   windows: "\x\a.h" in "C:\p"           => "C:\x\a.h"
//   posix:   ".\inc\a.h" in "/p"          => "/p/inc/a.h"
//   posix:   "/q/../r"                    => "/r"; "../../x" in "/p" => "/x"
std::string MakeAbsolute(std::string_view path, std::string_view cwd, PathStyle style);

// MakeAbsolute against the current folder (CurrentDirectory in
// platform/fs.h) in the native style.
std::string AbsolutePath(std::string_view path);

// `name` inside `dir`, adding "\" (or "/" when `dir` uses only "/") when
// `dir` does not end in a separator or a drive's ":". Nothing in support
// joins: the project's paths arrive whole.
//   ("inc", "a.h") => "inc\a.h";  ("", "a.h") => "a.h";  ("C:", "a.h") => "C:a.h"
//   ("/usr/inc", "a.h") => "/usr/inc/a.h";  ("a/b\c", "a.h") => "a/b\c\a.h"
std::string JoinPath(std::string_view dir, std::string_view name);

enum class ReadResult { kOkay, kNotFound, kOtherError };

// Reads a whole regular file. A folder counts as not found (no include
// names a folder); a device or an unreadable file is kOtherError.
ReadResult ReadFile(const std::string& path, std::string* bytes);
// Creates or replaces the file. False with `err` on failure.
bool WriteFile(const std::string& path, std::string_view bytes, std::string* err);
void RemoveFile(const std::string& path);
// Seconds since 1970 of the last change; 0 when the file cannot be examined.
int64_t FileTime(const std::string& path);

// Access to source and object files, so the scanner and the linker can be
// tested against files held in memory.
class FileSource {
 public:
  virtual ~FileSource() = default;
  virtual ReadResult Read(const std::string& path, std::string* bytes) = 0;
  virtual int64_t Time(const std::string& path) = 0;
  // The same text for every spelling of one path that reaches the same
  // file (an absolute path in, one the file system knows out).
  virtual std::string Identity(const std::string& path) { return path; }
};

class RealFileSource : public FileSource {
 public:
  ReadResult Read(const std::string& path, std::string* bytes) override {
    return ReadFile(path, bytes);
  }
  int64_t Time(const std::string& path) override { return FileTime(path); }
  std::string Identity(const std::string& path) override;
};

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_FILES_H_
