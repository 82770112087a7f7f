// The second step of importing a uVision project: what the plug-in's
// import leaves out by its contract and a user expects to keep (each
// target's memory and code model, output folder and name, listing folder
// and crystal; of a uVision 2 project also the C51 defines and the C51 and
// A51 include folders) is applied through the plug-in's own settings
// dialog, one value per scripted run, so that the plug-in encodes the keys
// and judges the values as it would a user's. Each value taken or refused
// gets a line, and one line names what is still left out.
#ifndef C51_HOST_IMPORT_EXTRAS_H_
#define C51_HOST_IMPORT_EXTRAS_H_

#include <string>
#include <vector>

#include "host/session.h"
#include "host/uvproj_options.h"

namespace c51::host {

// One value to apply: what it is, as the line shows it, and the dialog
// actions that set it (before "ok").
struct ExtraValue {
  std::string what;   // "crystal"
  std::string shown;  // "24 MHz"
  std::string actions;
};

// The values of one target that can be applied, in dialog order; a value
// the host refuses (a folder or name that leaves the project folder, a
// model that is no model) is left out with a line in `refused`.
// `project_folder` is where relative folders are resolved, as the build
// resolves them.
std::vector<ExtraValue> ExtraValues(const UvprojTargetOptions& target,
                                    const std::string& project_folder,
                                    std::vector<std::string>* refused);

// The line naming what neither the plug-in nor the host takes over, of a
// uVision 4 and of a uVision 2 project.
extern const char kStillLeftOut[];
extern const char kStillLeftOutUv2[];

// Applies every target's values to the configuration of its name. The
// plug-in is loaded; the configuration open before stays open after.
// False (reported) when the project file cannot be read again.
// `project_path` is the uvproj or uv2 file imported.
bool TakeImportExtras(Session* session, const std::string& project_path,
                      const std::string& current_configuration);

}  // namespace c51::host

#endif  // C51_HOST_IMPORT_EXTRAS_H_
