// The one registry value the plug-in reads: the default value of a key
// under HKEY_CLASSES_ROOT.
#ifndef C51_PLATFORM_REGISTRY_H_
#define C51_PLATFORM_REGISTRY_H_

#include <string>

namespace c51 {

// Windows: the default value of HKEY_CLASSES_ROOT\`subkey`.
// POSIX has no registry; the one key asked for,
// "UV2FILE\Shell\open\command", is read from the environment variable
// UV2FILE_OPEN_COMMAND, else from the wine prefix's registry files
// (WINEPREFIX, else ~/.wine: user.reg, then system.reg, under
// Software\Classes), its program's Windows path mapped to the file system
// through the prefix's drives ("C:\Keil\UV4\Uv4.exe" =>
// "\home\ann\.wine\drive_c\Keil\UV4\Uv4.exe"). Every "/" is turned
// into "\" so that the caller parses the same text form as on Windows.
// Other keys are never present.
// False when the key cannot be opened or has no default value.
bool ReadClassesRootDefault(const std::string& subkey, std::string* value);

}  // namespace c51

#endif  // C51_PLATFORM_REGISTRY_H_
