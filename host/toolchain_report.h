// Which toolchain a build uses and whether it can run: the folder the
// preference store answers (or the plug-in's own location rules find when
// that folder holds no compiler), the rule that chose it, each program
// found or missing and how it runs. A build with the bundled simulated
// toolchain makes hex files that are not firmware; the build says so,
// and `corvane-c51 toolchain` says why.
#ifndef C51_HOST_TOOLCHAIN_REPORT_H_
#define C51_HOST_TOOLCHAIN_REPORT_H_

#include <string>
#include <vector>

namespace c51::host {

enum class ToolchainRule {
  kOption,             // --toolchain DIR
  kEnvironment,        // CORVANE_C51_TOOLCHAIN
  kConfigurationFile,  // corvane-c51/toolchain in the user's configuration folder
  kPluginRules,        // the plug-in's own search, the store's folder lacking C51.exe
  kBundled,            // simtool/C51/BIN beside the program
};

struct ToolStatus {
  std::string name;  // "C51.exe"
  bool required = true;
  bool found = false;
  bool through_wine = false;  // POSIX: a Windows program ("MZ"), run through wine
};

struct ToolchainReport {
  ToolchainRule rule = ToolchainRule::kBundled;
  std::string rule_detail;  // the option's folder, or the configuration file's path
  std::string program_dir;  // as the plug-in uses it, ending in a separator
  std::string include_dir;
  std::string library_dir;
  bool simulated = false;  // the bundled simulated toolchain, however it was chosen
  std::vector<ToolStatus> tools;

  // False when a program a build cannot do without is missing.
  bool complete() const;
};

// The file whose first line names the toolchain: $XDG_CONFIG_HOME (when
// absolute) or ~/.config, then corvane-c51/toolchain; %APPDATA% on Windows.
// Empty when neither is set.
std::string ToolchainPreferencesFile();

// Finds the toolchain as a build does. `install_dir` is the program's
// folder (ending in a separator), where opt/ holds the preference store;
// `option_folder` the absolute --toolchain folder or empty. False with
// `err` when the store cannot be asked.
bool FindToolchain(const std::string& install_dir, const std::string& option_folder,
                   ToolchainReport* report, std::string* err);

// The report's lines, paths shown relative to `cwd` when below it.
std::string FormatToolchainReport(const ToolchainReport& report, const std::string& cwd);

// The line a build with the simulated toolchain shows before its first tool.
extern const char kSimulatedToolchainNotice[];

}  // namespace c51::host

#endif  // C51_HOST_TOOLCHAIN_REPORT_H_
