// Files a uVision project names by where they were on its author's machine
// ("D:\Users\zhang\Desktop\51\Clock\User\main.c", a start-up file in the
// tool installation "C:\Tools\C51\Lib\STARTUP.A51"): the project built
// there, and would build here but for those paths. After an import, each
// such file that is missing is looked for by the tail of its path, from the
// longest, in the project's folder and the two above it (a project in
// "Project\" or "MDK\" beside "User\"); the first found is the file, named
// relative to the project. A start-up file (STARTUP.A51) found nowhere, the
// tool installation's or one the repository did not keep, is left out of
// every configuration's build: the toolchain's own start-up code does what
// it does with its defaults. So is the task kernel's configuration
// (CONF_TNY.A51), copied from the installation like it: the toolchain's
// kernel then runs with its defaults.
#ifndef C51_HOST_IMPORT_PATHS_H_
#define C51_HOST_IMPORT_PATHS_H_

#include <string>
#include <vector>

#include "host/host_tree.h"

namespace c51::host {

struct MendedFile {
  std::string written;  // the path as the project wrote it
  std::string found;    // the path now, relative to the project; empty when left out
  bool kernel = false;  // left out: the task kernel's configuration, not a start-up file
};

// Mends the files of `tree` (a project whose folder is `project_folder`);
// what it did, one entry per file.
std::vector<MendedFile> MendAuthorsPaths(HostTree* tree, const std::string& project_folder);

}  // namespace c51::host

#endif  // C51_HOST_IMPORT_PATHS_H_
