#include "host/settings_run.h"

#include "platform/env.h"
#include "platform/fs.h"

namespace c51::host {
namespace {

// More than any scope's dialog has: the pages past the last are refused.
constexpr int kSurveyedPages = 16;

// Removes the folder of the two files however the run ends.
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

bool RunSettingsScript(Session* session, ProjectNode* scope, const std::string& actions,
                       std::string* report) {
  ScratchFolder scratch;
  std::string err;
  const std::string actions_path = scratch.path() + "actions.txt";
  const std::string report_path = scratch.path() + "report.txt";
  if (scratch.path().empty() || !WriteWholeFile(actions_path, actions, &err)) {
    session->Error("cannot hand the actions over: " + err);
    return false;
  }
  SetEnv("C51_SETTINGS_ACTIONS", actions_path);
  SetEnv("C51_SETTINGS_REPORT", report_path);
  session->plugin().table()->ShowSettings(scope);
  UnsetEnv("C51_SETTINGS_ACTIONS");
  UnsetEnv("C51_SETTINGS_REPORT");
  if (ReadWholeFile(report_path, report, &err) != ReadStatus::kOkay) {
    session->Error("the plug-in showed no dialog for this scope");
    return false;
  }
  session->SyncContext();
  return true;
}

bool SurveySettings(Session* session, ProjectNode* scope, DialogSurvey* survey) {
  std::string actions = "show\n";
  for (int i = 0; i < kSurveyedPages; ++i) actions += "page " + std::to_string(i) + "\n";
  actions += "cancel\n";
  std::string report;
  if (!RunSettingsScript(session, scope, actions, &report)) return false;
  survey->pages = ReportedPages(report);
  survey->first_page = FirstReportedPage(report);
  if (survey->first_page < 0 || survey->pages.empty()) {
    session->Error("the settings dialog showed no page");
    return false;
  }
  return true;
}

bool ReportHasRefusal(const std::string& report) {
  return report.rfind("refused: ", 0) == 0 || report.find("\nrefused: ") != std::string::npos;
}

}  // namespace c51::host
