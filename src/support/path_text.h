// Lexical helpers for path texts: a path's name, title, folder and
// extension, and whether a relative path stays inside its folder. Nothing
// here touches the file system, so a project made on Windows reads the same
// on every platform.
//
// "\" ends a folder part everywhere. Whether "/" and a drive's ":" do too
// differs between callers, and the answers differ with them ("C:x.c",
// "src/a.c"), so each call names its choice with a PathBreak.
//
// Every example below is also a row of tests/support/path_text_test.cc.
#ifndef C51_SUPPORT_PATH_TEXT_H_
#define C51_SUPPORT_PATH_TEXT_H_

#include <string>
#include <string_view>

namespace c51 {

enum class PathBreak {
  // "\" and "/": a name the file system resolves, where "C:x.c" is a file
  // called "C:x.c".
  kSlash,
  // "\", "/" and ":": a name as Windows reads it, where "C:x.c" is "x.c"
  // on drive C.
  kSlashOrDrive,
  // "\" and ":": a name in the tools' control strings and command files,
  // whose "/" belongs to the name.
  kBackslashOrDrive,
};

// The name after the folder part.
//   (".\src\main.c", kSlash) => "main.c"
//   ("src/a.b/x.a51", kSlash) => "x.a51"
//   ("C:x.a51", kSlash) => "C:x.a51"
//   ("C:x.a51", kSlashOrDrive) => "x.a51"
//   ("src/x.a51", kBackslashOrDrive) => "src/x.a51"
//   ("C:\p\", kSlash) => ""
//   ("plain", kSlashOrDrive) => "plain"
std::string_view NamePart(std::string_view path, PathBreak breaks);

// The name without its extension (from the name's last ".").
//   (".\src\main.c", kBackslashOrDrive) => "main"
//   ("C:a.b.c", kBackslashOrDrive) => "a.b"
//   ("dir.x\name", kBackslashOrDrive) => "name"
//   ("src/main.c", kBackslashOrDrive) => "src/main"
//   ("C:\p\proj.cvproj", kSlash) => "proj"
//   ("C:\x/proj.uv2", kSlash) => "proj"
//   (".hidden", kSlash) => ""
//   ("name.", kSlash) => "name"
std::string_view FileTitle(std::string_view path, PathBreak breaks);

// The folder part: the path up to and including its last break; empty
// when there is none.
//   ("C:\p\a.c", kSlash) => "C:\p\"
//   ("C:/x\proj.uv2", kSlash) => "C:/x\"
//   ("a/b/c.c", kSlash) => "a/b/"
//   ("C:a.c", kSlashOrDrive) => "C:"
//   ("a.c", kSlash) => ""
std::string_view DirectoryPart(std::string_view path, PathBreak breaks);

// The folder a file is in, as the file system takes it ("\" and "/"
// break): without its trailing separator, "." for a bare name, the root
// with its separator.
//   "C:\p\a.c" => "C:\p";  "/usr/lib/x.so" => "/usr/lib";  "a.c" => ".";
//   "/a.c" => "/"
std::string ParentFolder(std::string_view path);

// The path without its name's extension: the folder part and the title.
// The tools name what they write after their input this way.
//   (".\src\main.c", kSlashOrDrive) => ".\src\main"
//   ("a.b\prog", kSlashOrDrive) => "a.b\prog"
//   ("C:x.abs", kSlashOrDrive) => "C:x"
//   ("src/a.b/x", kBackslashOrDrive) => "src/a"
std::string_view WithoutExtension(std::string_view path, PathBreak breaks);

// The name's extension, after its last "."; empty without one. "\", "/"
// and ":" break (kSlashOrDrive).
//   "C:\p\Blinky.UVPROJ" => "UVPROJ";  "a.b.uvproj" => "uvproj";
//   "C:\p.d\Blinky" => "";  "/p.d/Blinky" => "";  "C:Blinky.uv2" => "uv2";
//   "Blinky." => "";  "Blinky" => ""
std::string_view ExtensionOf(std::string_view path);

// ExtensionOf in ASCII lower case (bytes from 0x80 up stay as they are).
//   "C:\p\Blinky.Uv2" => "uv2";  "\xB9\xA4.UV2" => "uv2";  "Main.C" => "c"
std::string LowerExtension(std::string_view path);

// `path` with its extension replaced by `extension` (given without "."),
// or with "." + `extension` added when it has none.
//   ("C:\p\Blinky.uv2", "opt") => "C:\p\Blinky.opt"
//   ("C:\p.d\Blinky", "opt") => "C:\p.d\Blinky.opt"
//   ("Blinky.", "opt") => "Blinky.opt"
std::string WithExtension(std::string_view path, std::string_view extension);

// False for "" and for a path starting with "."; true for a path starting
// with "/" or "\" or containing ":"; false otherwise.
//   "C:\p\a.c", "C:", "\\server\x", "\x", "/usr/x" => true
//   "x.c", ".\x.c", "..\x.c", ".:x", "" => false
bool IsAbsolutePath(std::string_view path);

// True when `path` is relative and, read as written, names a place inside
// the folder it is relative to: no root, no drive, and no ".." that climbs
// above its start ("\" and "/" both separate). A project file comes from
// anyone, and the build writes and clean deletes where it says.
//   "out\", ".\a\..\b", "", "x" => true
//   "..\out", "a\..\..\x", "\x", "C:x", "/tmp" => false
bool StaysInside(std::string_view path);

}  // namespace c51

#endif  // C51_SUPPORT_PATH_TEXT_H_
