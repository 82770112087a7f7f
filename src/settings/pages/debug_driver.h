// A debug driver library's own settings dialog, reached through its export
// "DllUv3Cap": called with 1 and a block of six words, word 1 pointing to
// the driver's path and word 5 to a settings buffer of 8192 characters that
// holds the stored settings text on the way in and the accepted one on the
// way out. The words are pointer-sized, as every word exchanged with the
// host's components, so the block holds two pointers on every platform.
#ifndef C51_SETTINGS_PAGES_DEBUG_DRIVER_H_
#define C51_SETTINGS_PAGES_DEBUG_DRIVER_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace c51::settings {

constexpr size_t kDriverSettingsSize = 8192;

enum class DriverSettingsStatus {
  kNotLoaded,  // the library could not be loaded
  kNoEntry,    // it lacks "DllUv3Cap"
  kRejected,   // the driver did not answer 1
  kAccepted,   // `settings` holds the driver's text
};

// Loads the library at `path` (absolute), runs its settings dialog on
// `settings` (cut to 8191 characters on the way in) and unloads it. On
// kAccepted `settings` is the buffer's text, read no further than the
// buffer even when the driver left it unterminated; otherwise unchanged.
DriverSettingsStatus RunDriverSettings(const std::string& path, std::string* settings);

// The key a driver's settings are kept under: its path without surrounding
// blanks, ASCII letters in lower case (the second byte of a double-byte
// character is left alone).
//   "  BIN\Mon51.DLL " => "bin\mon51.dll"
std::string DriverSettingsKey(std::string_view library_path);

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_DEBUG_DRIVER_H_
