// The settings command: the plug-in's settings dialog of the project, a
// group or a file, without windows, driven by a list of actions
// (settings_run.h), with controls named by id or by label
// (settings_names.h); or, with --list, every page as JSON.
#include <cstdio>
#include <string>
#include <vector>

#include "host/commands.h"
#include "host/debug_options.h"
#include "host/host_platform.h"
#include "host/project_model.h"
#include "host/settings_json.h"
#include "host/settings_names.h"
#include "host/settings_run.h"
#include "host/text_encoding.h"
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
// encoding; false (reported) when they cannot be read or are not valid. A
// control named by its label passes for an id here: its id is known only
// once the dialog has been surveyed.
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
  if (!settings::ParseSettingsActions(SentText(ResolveNames(*gbk, DialogSurvey{})), &actions,
                                      &err)) {
    session->Error(err);
    return false;
  }
  return true;
}

bool AnyNamed(const std::string& actions) {
  size_t start = 0;
  while (start < actions.size()) {
    size_t end = actions.find('\n', start);
    if (end == std::string::npos) end = actions.size();
    if (NamesAControl(actions.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace

int CommandSettings(Session* session) {
  if (!session->OpenProject()) return kExitUsage;
  const ParsedCommand& command = session->command();
  const bool list = command.Has("list");
  if (list && (!command.arguments.empty() || !command.Value("actions").empty())) {
    session->Error("--list takes no actions");
    return kExitUsage;
  }
  std::string actions;
  if (!list && !CollectActions(session, &actions)) return kExitUsage;
  ProjectNode* scope = ChooseScope(session);
  if (!scope) return kExitUsage;
  std::string config;
  if (!session->LoadPlugin() || !session->OpenConfiguration(&config)) return kExitUsage;

  DialogSurvey survey;
  if ((list || AnyNamed(actions)) && !SurveySettings(session, scope, &survey)) return kExitUsage;
  if (list) {
    std::fputs(SettingsJson(survey.pages).c_str(), stdout);
    return kExitSuccess;
  }
  const std::vector<ResolvedAction> resolved = ResolveNames(actions, survey);
  std::string report;
  if (!RunSettingsScript(session, scope, SentText(resolved), &report)) return kExitUsage;
  PrintText(stdout, FoldLabels(ReportAsWritten(report, resolved)));
  // The Debug page writes into the host's record, not into the tree: the
  // record goes into the project file when it changed.
  const DebugOptionRecord& debug = session->plugin().debug_record();
  if (!SameDebugOptions(debug, ReadDebugOptions(session->tree().root())))
    StoreDebugOptions(&session->tree(), debug);
  if (!session->SaveIfModified()) return kExitUsage;
  // A refused action is a scripted typo or a disabled control: the run
  // goes on, as the dialog would, but the status tells.
  return report.rfind("error: ", 0) == 0 || ReportHasRefusal(report) ? kExitUsage : kExitSuccess;
}

}  // namespace c51::host
