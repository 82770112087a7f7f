#include "host/session.h"

#include <cstdio>

#include "host/debug_options.h"
#include "host/host_platform.h"
#include "host/project_file.h"
#include "host/project_model.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {
namespace {

bool WantColour(const ParsedCommand& command) {
  std::string no_color;
  if (command.Has("no-color") || GetEnv("NO_COLOR", &no_color)) return false;
  return IsTerminal(stdout) && EnableColours(stdout);
}

}  // namespace

Session::Session(const ParsedCommand& command)
    : command_(command),
      colour_(WantColour(command)),
      output_(stdout, colour_),
      plugin_(&tree_, &output_) {}

void Session::Error(const std::string& message) const {
  std::fflush(stdout);
  PrintText(stderr, "corvane-c51: " + message + "\n");
}

void Session::Warning(const std::string& message) const {
  std::fflush(stdout);
  PrintText(stderr, "corvane-c51: warning: " + message + "\n");
}

void Session::Note(const std::string& message) const {
  std::fflush(stdout);
  PrintText(stderr, "corvane-c51: note: " + message + "\n");
}

bool Session::ResolveProjectPath(std::string* path) const {
  std::string given = command_.Value("project");
  if (!given.empty()) {
    *path = FullPath(given);
    return true;
  }
  std::vector<std::string> found = FilesWithSuffix(CurrentDirectory(), ".cvproj");
  if (found.size() == 1) {
    *path = FullPath(found.front());
    return true;
  }
  Error(found.empty() ? "no project file (.cvproj) in the current folder; name one with -p FILE"
                      : "several project files in the current folder; choose one with -p FILE");
  return false;
}

bool Session::OpenProject(bool for_change) {
  std::string path, err;
  if (!ResolveProjectPath(&path)) return false;
  if (for_change && !lock_.Acquire(path, &err)) {
    Error(err);
    return false;
  }
  loaded_ = StampOf(path);
  if (LoadProjectFile(path, &tree_, &err) != LoadStatus::kOkay) {
    Error(err);
    return false;
  }
  plugin_.set_project_path(path);
  plugin_.set_device(ReadDevice(tree_.root()));
  plugin_.set_debug_record(ReadDebugOptions(tree_.root()));
  return true;
}

void Session::NewProject(const std::string& path) {
  tree_.NewRoot(keys::kProjectRoot);
  plugin_.set_project_path(path);
  plugin_.set_debug_record(InitialDebugRecord());
}

bool Session::LoadPlugin() {
  std::string path = command_.Value("plugin");
  path = path.empty() ? ExecutableDirectory() + PluginFileName() : FullPath(path);
  std::string err;
  if (!plugin_.Load(path, &err)) {
    Error(err);
    return false;
  }
  std::string toolchain = command_.Value("toolchain");
  if (!toolchain.empty()) {
    toolchain = FullPath(toolchain);
    if (!IsDirectory(toolchain)) {
      Error("--toolchain " + toolchain + ": no such folder");
      return false;
    }
    if (!plugin_.SetToolchainFolder(toolchain, &err)) {
      Error(err);
      return false;
    }
  }
  plugin_.SendContext();
  plugin_.RestoreDriverSettings();
  return true;
}

bool Session::ChooseConfiguration(std::string* name) const {
  std::string err;
  if (host::ChooseConfiguration(tree_.root(), command_.Value("config"), name, &err)) return true;
  Error(err);
  return false;
}

bool Session::OpenConfiguration(std::string* name) {
  if (!ChooseConfiguration(name)) return false;
  plugin_.table()->OpenConfiguration(tree_.root(), name->c_str());
  SyncContext();
  return true;
}

void Session::SyncContext() {
  if (plugin_.device_changed()) plugin_.SendContext();
}

bool Session::Save() {
  std::string err;
  if (!lock_.held() && !lock_.Acquire(project_path(), &err)) {
    Error(err + "; the project was not saved");
    return false;
  }
  // Read without the lock (a build), and changed since by another command:
  // writing now would throw that change away.
  const FileStamp now = StampOf(project_path());
  if (loaded_.time != 0 && (now.time != loaded_.time || now.size != loaded_.size)) {
    Error(project_path() + " was changed by another command while this one ran; not saved");
    return false;
  }
  StoreDebugOptions(&tree_, plugin_.debug_record());
  if (!SaveProjectFile(project_path(), tree_, &err)) {
    Error(err);
    return false;
  }
  loaded_ = StampOf(project_path());
  tree_.set_modified(false);
  return true;
}

bool Session::SaveIfModified() {
  return !tree_.modified() || Save();
}

}  // namespace c51::host
