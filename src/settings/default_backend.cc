#include "settings/default_backend.h"

#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "settings/headless/headless_backend.h"
#include "settings/settings_script.h"
#ifdef _WIN32
#include "settings/win32/win32_backend.h"
#endif

namespace c51::settings {
namespace {

// A dialog driven by a list of actions from a file: the command-line host
// names the file in C51_SETTINGS_ACTIONS and reads what the user would
// have seen from the file named in C51_SETTINGS_REPORT.
class ScriptedBackend {
 public:
  HeadlessBackend* Prepare(PluginState* state, const std::string& actions_path) {
    ui_.messages.clear();
    ui_.answers.clear();
    backend_.folder_answers.clear();
    backend_.file_answers.clear();
    backend_.chooser_requests.clear();
    backend_.dialog_scripts.clear();
    backend_.set_language(state->language);
    report_path_.clear();
    GetEnv("C51_SETTINGS_REPORT", &report_path_);

    std::string text, error;
    std::vector<SettingsAction> actions;
    if (ReadWholeFile(actions_path, &text, &error) != ReadStatus::kOkay) {
      error = "cannot read the actions: " + error;
    } else if (ParseSettingsActions(text, &actions, &error)) {
      error.clear();
    }
    backend_.sheet_script = [this, actions, error](HeadlessSheet& sheet) {
      std::string report;
      if (error.empty()) {
        RunSettingsActions(actions, &sheet, &backend_, &ui_, &report);
      } else {
        report = "error: " + error + "\n";
      }
      if (!report_path_.empty()) {
        std::string write_error;
        WriteWholeFile(report_path_, report, &write_error);
      }
    };
    return &backend_;
  }

 private:
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  std::string report_path_;
};

}  // namespace

HeadlessBackend* ProcessHeadlessBackend(PluginState* state) {
  static HeadlessBackend backend(state->ui, state->language);
  backend.set_language(state->language);
  return &backend;
}

SettingsBackend* DefaultSettingsBackend(PluginState* state) {
  std::string actions_path;
  if (GetEnv("C51_SETTINGS_ACTIONS", &actions_path) && !actions_path.empty()) {
    static ScriptedBackend scripted;
    return scripted.Prepare(state, actions_path);
  }
#ifdef _WIN32
  // Real windows unless the run is unattended (C51_HEADLESS=1) or scripted
  // (an actions variable, even an empty one, asks for no windows).
  std::string headless;
  const bool unattended = GetEnv("C51_HEADLESS", &headless) && headless == "1";
  if (!unattended && !GetEnv("C51_SETTINGS_ACTIONS", &actions_path)) {
    return ProcessWin32Backend(state->language);
  }
#endif
  return ProcessHeadlessBackend(state);
}

}  // namespace c51::settings
