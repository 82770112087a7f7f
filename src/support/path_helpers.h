// Path-string helpers shared by the importer, the toolchain lookup and the
// build queries. None keeps state.
#ifndef C51_SUPPORT_PATH_HELPERS_H_
#define C51_SUPPORT_PATH_HELPERS_H_

#include <string>
#include <vector>

namespace c51 {

// Up to and including the last "\"; unchanged without "\" ("/" is not a
// separator here):  "C:\p\a.c" => "C:\p\";  "a/b.c" => "a/b.c"
std::string DirectoryPart(const std::string& path);

// P = the later of the last "\" and the last "/". The remainder is the path
// from P on, separator included (the whole path without one). `suffix` is
// the text after the remainder's last ".", `prefix` the text before it;
// without "." `prefix` is the remainder and `suffix` empty. Always true.
//   "C:\x\proj.uvproj" => "\proj", "uvproj";  "a.b.c" => "a.b", "c"
bool split_filename(const std::string& path, std::string* prefix, std::string* suffix);

// False for "" and for a path starting with "."; true for a path starting
// with "/" or "\" or containing ":"; false otherwise.
bool IsAbsolutePath(const std::string& path);

// The platform's full path of `path` against the current directory, cut to
// 260 characters at most.
std::string FullPathOf(const std::string& path);

// Every byte through the C library's upper-case mapping ("C" rules: only
// a-z change, bytes of multi-byte characters are left alone).
std::string UpperCopy(const std::string& text);

// The runs between separator characters; empty runs do not occur.
//   ("a;;b;", ";") => {"a", "b"}
std::vector<std::string> SplitAtSeparators(const std::string& text, const char* separators);

// The base name of a file path: without folder (after the last "\" or "/")
// and without extension (from the last "."):  "C:\p\proj.cvproj" => "proj"
std::string BaseName(const std::string& path);

// True when `path` is relative and, read as written, names a place inside
// the folder it is relative to: no root, no drive, and no ".." that climbs
// above its start ("\" and "/" both separate). A project file comes from
// anyone, and the build writes and clean deletes where it says.
//   "out\", ".\a\..\b", "", "x" => true
//   "..\out", "a\..\..\x", "\x", "C:x", "/tmp" => false
bool StaysInside(const std::string& path);

}  // namespace c51

#endif  // C51_SUPPORT_PATH_HELPERS_H_
