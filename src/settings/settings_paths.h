// Path texts as the settings pages handle them: the folder of a path, and
// folders made relative to the project or absolute against a folder.
// "\", "/" and the drive colon ":" separate; "/" counts so that POSIX
// paths from the file system split as Windows ones do.
#ifndef C51_SETTINGS_SETTINGS_PATHS_H_
#define C51_SETTINGS_SETTINGS_PATHS_H_

#include <string>

namespace c51::settings {

// The text before the last separator, except that a root keeps its
// separator; "." without one:
//   "C:\p\main.c" => "C:\p";  "C:\main.c" => "C:\";  "\main.c" => "\";
//   "C:main.c" => "C:";  "main.c" => ".";  "" => ""
std::string DirectoryWithoutSeparator(const std::string& path);

// The platform's relative path from folder `from_dir` to `to`; `to`
// unchanged when there is none (another drive):
//   ("C:\p", "C:\p\Debug\") => ".\Debug\";  ("C:\p", "D:\x") => "D:\x"
std::string RelativePathOrSame(const std::string& from_dir, const std::string& to);

// `path` made absolute against `folder`, which becomes the process's
// current folder (relative folders in the project are relative to it);
// an absolute path is returned unchanged:
//   ("C:\p", "..\lib\x.dll") => "C:\lib\x.dll";  ("C:\p", "D:\x") => "D:\x"
std::string AbsolutePathIn(const std::string& folder, const std::string& path);

// A chosen folder as the Output and Listing pages keep it: relative to the
// project file's folder (absolute when there is no relative path), ending
// in "\":
//   ("C:\p\x.cvproj", "C:\p\Out") => ".\Out\";  (.., "C:\p") => ".\";
//   (.., "C:\q") => "..\q\";  (.., "D:\Out") => "D:\Out\"
std::string ProjectRelativeFolder(const std::string& project_path, const std::string& folder);

}  // namespace c51::settings

#endif  // C51_SETTINGS_SETTINGS_PATHS_H_
