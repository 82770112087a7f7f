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

namespace c51::sim {

enum class PathStyle { kWindows, kPosix };

PathStyle NativeStyle();

inline bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Windows: "C:\x", "C:/x" and "\\server\x" are absolute; POSIX: "/x" (and
// "\x", the same path written with the build's separator).
bool IsAbsolute(std::string_view path, PathStyle style);

// `path` against the folder `cwd` with "." and ".." resolved; the separator
// is "\" for Windows and "/" for POSIX:
//   windows: ".\src\..\inc\a.h" in "C:\p" => "C:\p\inc\a.h"
//   posix:   ".\inc\a.h" in "/p"          => "/p/inc/a.h"
//   posix:   "/q/../r"                    => "/r"; "../../x" in "/p" => "/x"
std::string MakeAbsolute(std::string_view path, std::string_view cwd, PathStyle style);

// MakeAbsolute against the current folder (CurrentDirectory in
// platform/fs.h) in the native style.
std::string AbsolutePath(std::string_view path);

// Up to and including the last separator (or the ":" of a drive):
// ".\src\main.c" => ".\src\"; "main.c" => ""; "C:main.c" => "C:".
std::string_view DirectoryPart(std::string_view path);
// The name without folder and extension: ".\src\main.c" => "main"; "a.b\c" => "c".
std::string_view FileTitle(std::string_view path);
// The path with its name's extension replaced: ("x\prog", ".hex") => "x\prog.hex";
// ("x\prog.abs", ".M51") => "x\prog.M51"; ("a.b\prog", ".hex") => "a.b\prog.hex".
std::string ReplaceExtension(std::string_view path, std::string_view extension);
// `name` inside `dir`, adding "\" (or "/" when `dir` uses only "/") when
// `dir` does not end in a separator: ("inc", "a.h") => "inc\a.h"; ("", "a.h") => "a.h".
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
