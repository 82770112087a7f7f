// The device-selection library the Device page loads, "Dravn.dll" in the
// host's folder (an ELF shared object under that name on Linux). Its one
// export, GetInterface, fills a table of seven pointer-sized words; entry 5
// opens the selection on the current device and entry 6 answers the
// device chosen since, as a record whose properties are "CPU=..." and
// "REGFILE=..." from the device database.
//
// Where a window can be made (Windows, with a parent window) the
// selection is a list of the database's devices. A headless run has no
// window to choose in, so the environment variable below stands for the
// user's choice: entry 5 selects the device it names, as if it had been
// clicked in the list. Without it, or with a name the database does not
// know (reported on standard error), nothing is selected and the Device
// page keeps the device in force.
//
// Once loaded, the library stays until the process ends: a plug-in may
// hand the selected record on after the page that loaded it is gone (ours
// copies it first; others need not).
#ifndef C51_DEVICES_SELECTION_LIBRARY_H_
#define C51_DEVICES_SELECTION_LIBRARY_H_

namespace c51::devices {

constexpr char kSelectionEnvironmentVariable[] = "CORVANE_C51_DEVICE";

constexpr char kGetInterfaceSymbol[] = "GetInterface";

}  // namespace c51::devices

#endif  // C51_DEVICES_SELECTION_LIBRARY_H_
