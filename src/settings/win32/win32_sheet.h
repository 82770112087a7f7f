// The modal run of a settings sheet as a comctl32 property sheet: a
// dialog procedure per page that hands the sheet's notifications and the
// controls' commands to the page, and a subclass of the sheet window that
// adds the sheet's own parts (caption, "Default" button, store flag).
#ifndef C51_SETTINGS_WIN32_WIN32_SHEET_H_
#define C51_SETTINGS_WIN32_WIN32_SHEET_H_

namespace c51::settings {

class CArdelPropertySheet;
class SettingsBackend;

// kResultOk when the sheet was closed with OK (every page accepted it),
// otherwise kResultCancel.
int RunWin32Sheet(CArdelPropertySheet* sheet, SettingsBackend* backend);

// The sheet's caption: its text, face and size.
inline constexpr char kCaptionFace[] = "Arial";
constexpr int kCaptionHeight = 24;

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIN32_WIN32_SHEET_H_
