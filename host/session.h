// What one run of a command works with: the project file and its tree, the
// plug-in, the output. Errors are reported here, one line on standard
// error each, so that every command fails the same way.
#ifndef C51_HOST_SESSION_H_
#define C51_HOST_SESSION_H_

#include <string>

#include "host/build_output.h"
#include "host/cli.h"
#include "host/host_tree.h"
#include "host/plugin_host.h"
#include "host/project_lock.h"
#include "platform/fs.h"

namespace c51::host {

class Session {
 public:
  explicit Session(const ParsedCommand& command);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const ParsedCommand& command() const { return command_; }
  HostTree& tree() { return tree_; }
  PluginHost& plugin() { return plugin_; }
  BuildOutput& output() { return output_; }

  // Prints "corvane-c51: <message>" on standard error.
  void Error(const std::string& message) const;
  void Warning(const std::string& message) const;
  // "corvane-c51: note: <message>": what a message before it means.
  void Note(const std::string& message) const;

  // The absolute project path: --project, or the one ".cvproj" file in the
  // current folder. False (reported) when there is none or several.
  bool ResolveProjectPath(std::string* path) const;
  // Loads the project file into the tree and sets the context's project
  // path and device from it. False (reported) on any failure. A command
  // that is there to change the project passes `for_change`: it then holds
  // the project's lock from before the read until it ends, so that two
  // such commands at once both see their change kept.
  bool OpenProject(bool for_change = false);
  // Starts a new tree for a project file at `path` (absolute).
  void NewProject(const std::string& path);
  const std::string& project_path() const { return plugin_.project_path(); }
  std::string ProjectFolder() const { return plugin_.ProjectFolder(); }

  // Loads the plug-in (--plugin or the one beside the program), passes
  // --toolchain to the preference store, hands over the context and the
  // stored driver settings. False (reported) on failure.
  bool LoadPlugin();

  // The configuration to open (--config, else the active one, else the
  // first). False (reported) when it does not exist.
  bool ChooseConfiguration(std::string* name) const;
  // ChooseConfiguration, then OpenConfiguration through the table.
  bool OpenConfiguration(std::string* name);

  // Sends the context again when a service changed the device.
  void SyncContext();

  // Saves the project when the tree changed. False (reported) on failure,
  // also when another command changed the file since this one read it:
  // that change is kept, this one's is not.
  bool SaveIfModified();
  bool Save();

 private:
  const ParsedCommand& command_;
  bool colour_;
  HostTree tree_;
  ProjectLock lock_;
  FileStamp loaded_;  // the project file as read; time 0: not read
  BuildOutput output_;
  PluginHost plugin_;
};

}  // namespace c51::host

#endif  // C51_HOST_SESSION_H_
