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

// The name the OS knows for one of our path texts. Windows: unchanged.
// POSIX, as a Windows program would find the file:
//   - the text is converted from the local code page to the file system's
//     UTF-8 (LocalToSystemText) before "\" becomes "/" (a GBK trail byte
//     may be 0x5C);
//   - a name with a drive ("Z:\HOME\ANN\INC\BOARD.H", as a Windows tool
//     under wine records it) starts at the folder the wine prefix's
//     "dosdevices" link for that drive names (WINEPREFIX, else ~/.wine;
//     read once per FileNameMatchScope); a drive without a link stays as
//     written;
//   - a path that does not exist as written has each component matched
//     against its folder's entries ignoring ASCII letter case. A unique
//     match wins; among several names that differ only in case the first in
//     byte order does. Components with no match stay as written, so a new
//     file is created under its own name inside the existing folders.
//   ".\SRC\Main.C" with "src/main.c" on disk => "./src/main.c"
//   "Debug\new.obj" with "debug/" on disk     => "debug/new.obj"
// Folder listings are cached and checked against the folder's time, so a
// project whose names all differ in case costs one extra stat per name.
std::string NativePath(const std::string& path);

// While one lives, the letter-case matches NativePath makes are kept and
// trusted without looking at the disk again, and files are looked up
// through handles on their folders: one build asks for the same names in
// the same folders over and over, and none of them changes case under it.
// Scopes nest; what they keep is forgotten when the outermost ends.
// Windows: nothing to keep.
class FileNameMatchScope {
 public:
  FileNameMatchScope();
  ~FileNameMatchScope();
  FileNameMatchScope(const FileNameMatchScope&) = delete;
  FileNameMatchScope& operator=(const FileNameMatchScope&) = delete;

  // Forgets what the live scopes keep, for a program that ran meanwhile
  // and may have renamed or replaced folders (the platform's own process
  // start does it by itself; a command the host ran does not).
  static void FoldersMayHaveChanged();
};

// NativePath without the letter-case match: the encoding, the drive and
// the separators only.
std::string NativeSpelling(const std::string& path);

// `path` with the letters of each component that exists in another case
// spelled as on disk; its separators and everything else as given.
// Windows: unchanged, the system takes any case. POSIX: a name on a drive
// the wine prefix maps becomes the file's path ("Z:\\P\\INC\\X.H" =>
// "/p/inc/x.h").
//   posix: "\\p\\INC\\reg52.h" with "/p/inc/REG52.H" on disk => "\\p\\inc\\REG52.H"
std::string OnDiskSpelling(const std::string& path);

}  // namespace c51

#endif  // C51_PLATFORM_PATH_H_
