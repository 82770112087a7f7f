// The sub-commands. Each returns the process's exit status (cli.h) and
// reports its own errors.
#ifndef C51_HOST_COMMANDS_H_
#define C51_HOST_COMMANDS_H_

#include <string>
#include <vector>

#include "host/session.h"
#include "project/scopes.h"

namespace c51::host {

// Parses the arguments (without the program name) and runs the command.
int RunCommandLine(const std::vector<std::string>& args);

int CommandNew(Session* session);
int CommandAdd(Session* session);
int CommandImport(Session* session);
int CommandShow(Session* session);
int CommandBuild(Session* session);
int CommandTranslate(Session* session);
int CommandClean(Session* session);
int CommandDeps(Session* session);
int CommandIncludes(Session* session);
int CommandCompdb(Session* session);
int CommandSettings(Session* session);
int CommandDevices(Session* session);
int CommandToolchain(Session* session);

// The translation steps a build of `config` may run: one per included C
// or assembly file, two for a C file compiled to assembly source that is
// assembled afterwards. The N of the "[n/N]" progress prefix.
int PlannedSteps(ProjectNode* root, const std::string& config);
// The same for one file.
int FileSteps(ProjectNode* file, ConfigurationRef* ref);

// The "File" node whose path is `path` (absolute): the same file, else
// the one file with that name. Null when none or several match.
ProjectNode* FindProjectFile(ProjectNode* root, const std::string& project_folder,
                             const std::string& path);

}  // namespace c51::host

#endif  // C51_HOST_COMMANDS_H_
