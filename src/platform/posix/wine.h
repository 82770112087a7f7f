// A Windows toolchain installed in a wine prefix: its programs run through
// a wine launcher, and the names they exchange with the build are Windows
// names on the prefix's drives. Private to the POSIX platform files.
#ifndef C51_PLATFORM_POSIX_WINE_H_
#define C51_PLATFORM_POSIX_WINE_H_

#include <string>
#include <string_view>

namespace c51::posix {

// The prefix: WINEPREFIX, else "$HOME/.wine"; no trailing "/". Empty when
// neither variable is set.
std::string WinePrefix();

// The folder each drive letter of `prefix` maps to, from its "dosdevices"
// links ("c:" -> "../drive_c", "z:" -> "/"), as absolute texts without a
// trailing "/" ("/" itself is the empty text); `mapped` says which letters
// have a link.
struct WineDrives {
  std::string folder[26];
  bool mapped[26] = {};
};
WineDrives ReadWineDrives(const std::string& prefix);

// True when `path` starts with a drive ("C:", then a separator or nothing).
bool HasDriveLetter(std::string_view path);

// A drive path in file system form: "Z:\HOME\A.H" => "/HOME/A.H",
// "C:\Keil\INC" => "<prefix>/drive_c/Keil/INC". The letter case of the
// rest is left for the case match. False when `path` has no drive or the
// drive has no link.
bool DrivePathToNative(std::string_view path, const WineDrives& drives, std::string* native);

// The same with the drives of the current prefix, read again on every call
// except while a FileNameMatchScope lives: a build maps every name its
// tools recorded, and the links do not change under it.
bool CurrentDrivePathToNative(std::string_view path, std::string* native);

// An absolute file system path as a program under wine names it: the drive
// whose folder is the longest parent of `native` (compared as written and
// with links resolved), "\" between the names. Without such a drive, wine's
// usual "Z:" for the root.
//   "/home/ann/x.c" => "Z:\home\ann\x.c";  "<prefix>/drive_c/K/INC/" => "C:\K\INC\"
std::string NativeToDrivePath(const std::string& native, const WineDrives& drives);
std::string CurrentNativeToDrivePath(const std::string& native);

// True when the file starts with "MZ": a Windows program.
bool IsWindowsProgramFile(const std::string& native);

// The launcher a Windows program runs through: the first of CORVANE_WINE,
// "wine" on PATH, "wine64" on PATH that names an executable file. False,
// with `missing` saying what was looked for, when there is none.
bool FindWineLauncher(std::string* launcher, std::string* missing);

// Starts the prefix's wine server and wine's own services once per process
// and prefix, so that the tools of a build share them instead of each
// starting and ending its own; a caller that comes meanwhile waits until
// they are up. They run in sessions of their own with no stream of the
// caller's, outside the tools' process groups (a stop must not kill them,
// and a service holding a tool's pipe would keep the build waiting), and
// end by themselves a while after the last program left. Best effort: the
// server is started only when WINESERVER, the launcher's folder or PATH
// has one.
void KeepWineServerUp(const std::string& launcher);

}  // namespace c51::posix

#endif  // C51_PLATFORM_POSIX_WINE_H_
