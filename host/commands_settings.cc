// The settings command: the plug-in's settings dialog of the project, a
// group or a file, without windows, driven by a list of actions. The list
// goes to the plug-in in a file named by C51_SETTINGS_ACTIONS; the plug-in
// writes what the user would have seen to the file named by
// C51_SETTINGS_REPORT.
#include <cstdio>
#include <string>
#include <vector>

#include "host/commands.h"
#include "host/host_platform.h"
#include "host/project_model.h"
#include "host/text_encoding.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "project/node.h"
#include "settings/settings_script.h"

namespace c51::host {
namespace {

// The scope the dialog is for; null (reported) when it does not exist.
ProjectNode* ChooseScope(Session* session) {
  const ParsedCommand& command = session->command();
  const std::string group = command.Value("group");
  const std::string file = command.Value("file");
  if (!group.empty() && !file.empty()) {
    session->Error("give --group or --file, not both");
    return nullptr;
  }
  if (!group.empty()) {
    ProjectNode* node = FindGroup(&session->tree(), group);
    if (!node) session->Error("no group \"" + group + "\" in the project");
    return node;
  }
  if (!file.empty()) {
    ProjectNode* node =
        FindProjectFile(session->tree().root(), session->ProjectFolder(), FullPath(file));
    if (!node) session->Error(file + " is not a file of the project");
    return node;
  }
  return session->tree().root();
}

// The actions of --actions FILE, then one per argument, in the tree's
// encoding; false (reported) when they cannot be read or are not valid.
bool CollectActions(Session* session, std::string* gbk) {
  const ParsedCommand& command = session->command();
  std::string utf8, err;
  const std::string file = command.Value("actions");
  if (!file.empty() && ReadWholeFile(file, &utf8, &err) != ReadStatus::kOkay) {
    session->Error("cannot read the actions: " + err);
    return false;
  }
  // The file is UTF-8; the arguments are local texts already.
  if (!Utf8ToTreeText(utf8, gbk, &err)) {
    session->Error("the actions: " + err);
    return false;
  }
  if (!gbk->empty() && gbk->back() != '\n') *gbk += '\n';
  for (const std::string& action : command.arguments) *gbk += action + "\n";
  std::vector<settings::SettingsAction> actions;
  if (!settings::ParseSettingsActions(*gbk, &actions, &err)) {
    session->Error(err);
    return false;
  }
  return true;
}

// Removes the folder of the two files however the command ends.
class ScratchFolder {
 public:
  ScratchFolder() : path_(MakeTempDirectory("corvane-settings")) {}
  ~ScratchFolder() {
    if (!path_.empty()) RemoveTree(path_);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

int CommandSettings(Session* session) {
  if (!session->OpenProject()) return kExitUsage;
  std::string actions;
  if (!CollectActions(session, &actions)) return kExitUsage;
  ProjectNode* scope = ChooseScope(session);
  if (!scope) return kExitUsage;
  std::string config;
  if (!session->LoadPlugin() || !session->OpenConfiguration(&config)) return kExitUsage;

  ScratchFolder scratch;
  std::string err;
  const std::string actions_path = scratch.path() + "actions.txt";
  const std::string report_path = scratch.path() + "report.txt";
  if (scratch.path().empty() || !WriteWholeFile(actions_path, actions, &err)) {
    session->Error("cannot hand the actions over: " + err);
    return kExitUsage;
  }
  SetEnv("C51_SETTINGS_ACTIONS", actions_path);
  SetEnv("C51_SETTINGS_REPORT", report_path);
  session->plugin().table()->ShowSettings(scope);
  UnsetEnv("C51_SETTINGS_ACTIONS");
  UnsetEnv("C51_SETTINGS_REPORT");

  std::string report;
  if (ReadWholeFile(report_path, &report, &err) != ReadStatus::kOkay) {
    session->Error("the plug-in showed no dialog for this scope");
    return kExitUsage;
  }
  PrintText(stdout, report);
  session->SyncContext();
  if (!session->SaveIfModified()) return kExitUsage;
  return report.rfind("error: ", 0) == 0 ? kExitUsage : kExitSuccess;
}

}  // namespace c51::host
