// Path texts as the Windows path functions treat them, with a lexical
// implementation for either style and an OS-backed one for this platform.
//
// Texts keep "\" as the separator the project data uses; "/" is accepted as
// a separator everywhere. The OS-backed functions map "\" to "/" on POSIX
// only where they touch the file system.
#ifndef C51_PLATFORM_PATH_H_
#define C51_PLATFORM_PATH_H_

#include <string>

namespace c51 {

enum class PathStyle {
  kWindows,  // drive letters and UNC roots; names compare ignoring case
  kPosix,    // one root "/"; names compare exactly
};

// The style of the platform this is built for.
PathStyle NativePathStyle();

// "\" and "/" on every platform.
inline bool IsPathSeparator(char c) {
  return c == '\\' || c == '/';
}

// Full path of `path` against the folder `cwd`, resolving "." and ".."
// segments and keeping a trailing separator (GetFullPathName's rules).
// Windows style writes "\" between segments, POSIX style "/":
//   windows: "C:\p\.\Debug\" => "C:\p\Debug\"; ".\Debug\" in "C:\p" => "C:\p\Debug\"
//   posix:   ".\Debug\" in "/p" => "/p/Debug/"; "/p/a/../b" => "/p/b"
std::string LexicalFullPath(const std::string& path, const std::string& cwd, PathStyle style);

// Path of `to` relative to the folder `from_dir` (PathRelativePathTo with
// both sides taken as folders). The result uses "\" in both styles.
// False, and `out` untouched, when the two have no common root.
// From "C:\p":
//   "C:\p\main.c" => ".\main.c"    "C:\p\Debug\" => ".\Debug\"
//   "C:\p\Debug"  => ".\Debug"     "C:\p"        => "."
//   "C:\q\x.c"    => "..\q\x.c"    "D:\x.c"      => false
// From "C:\p\a": "C:\p\b\c.c" => "..\b\c.c"
bool LexicalRelativePath(const std::string& from_dir, const std::string& to, PathStyle style,
                         std::string* out);

// The OS's full path of `path` against the current directory.
std::string FullPath(const std::string& path);

// Short (8.3) form of an existing path; the path unchanged when it has none
// (always on POSIX).
std::string ShortPath(const std::string& path);

// The OS's relative path (Windows: PathRelativePathTo; POSIX: the lexical
// function in POSIX style).
bool RelativePath(const std::string& from_dir, const std::string& to, std::string* out);

// The path as the OS wants it: "\" becomes "/" on POSIX; unchanged on Windows.
std::string NativePath(const std::string& path);

}  // namespace c51

#endif  // C51_PLATFORM_PATH_H_
