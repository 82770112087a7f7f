#include "host/toolchain_report.h"

#include <cstdint>
#include <cstdio>

#include "host/path_display.h"
#include "host/store/preference_store.h"
#include "platform/ascii_case.h"
#include "platform/dynamic_library.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "platform/registry.h"
#include "platform/tool_paths.h"
#include "plugin/toolchain.h"

namespace c51::host {

const char kSimulatedToolchainNotice[] =
    "using the simulated toolchain: the hex file is not real firmware; see corvane-c51 toolchain";

namespace {

template <typename F>
F FunctionFrom(void* address) {
  return reinterpret_cast<F>(reinterpret_cast<uintptr_t>(address));
}

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

std::string Join(std::string folder, const std::string& name) {
  if (!folder.empty() && !IsPathSeparator(folder.back())) folder += kSeparator;
  return folder + name;
}

bool NonEmptyEnv(const char* name, std::string* value) {
  return GetEnv(name, value) && !value->empty();
}

// The store reads the same file; a first line that is not blank names the
// toolchain.
bool PreferencesFileNamesOne(const std::string& file) {
  std::string text, err;
  if (file.empty() || ReadWholeFile(file, &text, &err) != ReadStatus::kOkay) return false;
  return text.find_first_not_of(" \t\r\n") != std::string::npos;
}

// The text the store answers for the "C51" entry, as the plug-in reads it.
bool AskStore(const std::string& install_dir, const std::string& option_folder, std::string* kc51,
              std::string* err) {
  std::string folder = install_dir;
  while (!folder.empty() && IsPathSeparator(folder.back())) folder.pop_back();
  // The text the plug-in host loads it by, so that a folder set there
  // reaches the same instance.
  const std::string path = folder + "\\opt\\Mirelsk.dll";
  static DynamicLibrary store;  // kept loaded: the plug-in holds it too
  std::string why;
  if (!store.is_open() && !store.Open(path, &why)) {
    *err = "cannot load the preference store: " + why;
    return false;
  }
  auto get_opti = FunctionFrom<GetOptiFunction>(store.Symbol(kGetOptiSymbol));
  auto set_folder =
      FunctionFrom<SetToolchainFolderFunction>(store.Symbol(kSetToolchainFolderSymbol));
  void* const* table = get_opti ? get_opti() : nullptr;
  if (!table || !table[0] || !table[4] || !set_folder) {
    *err = path + " is no preference store";
    return false;
  }
  set_folder(option_folder.c_str());
  const char* section_name = "ToolChain";
  void* section = FunctionFrom<OpenSectionFunction>(table[0])(&section_name, 0);
  auto* value =
      section ? static_cast<StoreValue*>(FunctionFrom<GetValueFunction>(table[4])(section, "KC51"))
              : nullptr;
  if (!value) {
    *err = path + " names no toolchain";
    return false;
  }
  *kc51 = value->text ? value->text : "";
  if (value->release) value->release(value);
  return true;
}

std::string Comparable(const std::string& folder) {
  std::string full = DisplayPath(folder, "/", "");
  while (full.size() > 1 && full.back() == '/') full.pop_back();
  return NativePathStyle() == PathStyle::kWindows ? ToLowerAscii(full) : full;
}

std::string RuleText(const ToolchainReport& report, const std::string& cwd) {
  const std::string detail =
      report.rule_detail.empty() ? std::string() : DisplayPath(report.rule_detail, cwd, cwd);
  switch (report.rule) {
    case ToolchainRule::kOption:
      return "--toolchain " + detail;
    case ToolchainRule::kEnvironment:
      return std::string("the environment variable ") + kToolchainEnvironmentVariable;
    case ToolchainRule::kConfigurationFile:
      return "the configuration file " + detail;
    case ToolchainRule::kPluginRules:
      return "the plug-in's location rules (the uVision file association): " + detail +
             " holds no C51.exe";
    case ToolchainRule::kBundled:
      break;
  }
  return std::string("the bundled simulated toolchain (none chosen with --toolchain, ") +
         kToolchainEnvironmentVariable + " or " +
         (detail.empty() ? std::string("a configuration file") : detail) + ")";
}

}  // namespace

bool ToolchainReport::complete() const {
  for (const ToolStatus& tool : tools)
    if (tool.required && !tool.found) return false;
  return true;
}

std::string ToolchainPreferencesFile() {
  std::string base;
#if defined(_WIN32)
  if (!NonEmptyEnv("APPDATA", &base)) return std::string();
#else
  if (!NonEmptyEnv("XDG_CONFIG_HOME", &base) || base[0] != '/') {
    if (!NonEmptyEnv("HOME", &base)) return std::string();
    base = Join(base, ".config");
  }
#endif
  return Join(Join(base, "corvane-c51"), "toolchain");
}

bool FindToolchain(const std::string& install_dir, const std::string& option_folder,
                   ToolchainReport* report, std::string* err) {
  std::string kc51;
  if (!AskStore(install_dir, option_folder, &kc51, err)) return false;
  *report = ToolchainReport{};
  std::string variable;
  const std::string preferences = ToolchainPreferencesFile();
  if (!option_folder.empty()) {
    report->rule = ToolchainRule::kOption;
    report->rule_detail = option_folder;
  } else if (NonEmptyEnv(kToolchainEnvironmentVariable, &variable)) {
    report->rule = ToolchainRule::kEnvironment;
  } else if (PreferencesFileNamesOne(preferences)) {
    report->rule = ToolchainRule::kConfigurationFile;
    report->rule_detail = preferences;
  } else {
    report->rule = ToolchainRule::kBundled;
    report->rule_detail = preferences;
  }

  // What the plug-in does with the answer (plugin/toolchain.cc): the
  // entry's first folder is the program folder, the one above it the root.
  ToolchainEntry entry;
  std::string program_dir, root;
  if (ChooseToolchainEntry(kc51, kToolchainName, &entry)) {
    std::string folders = entry[4];
    for (char& c : folders)
      if (c == '?') c = ';';
    program_dir = folders.substr(0, folders.find(';'));
    if (!program_dir.empty() && !IsPathSeparator(program_dir.back())) program_dir += '\\';
    if (program_dir.size() > 5) root = program_dir.substr(0, program_dir.size() - 4);
  }
  report->program_dir = program_dir;
  report->include_dir = root + "INC\\";
  report->library_dir = root + "LIB\\";
  std::string command, install_root;
  if (!PathExists(program_dir + "C51.exe") &&
      ReadClassesRootDefault("UV2FILE\\Shell\\open\\command", &command) &&
      InstallRootFromCommand(command, &install_root)) {
    report->rule = ToolchainRule::kPluginRules;
    report->rule_detail = program_dir;
    install_root = ShortPath(install_root);
    if (!IsPathSeparator(install_root.back())) install_root += '\\';
    report->program_dir = install_root + "C51\\BIN\\";
    report->include_dir = install_root + "C51\\INC\\";
    report->library_dir = install_root + "C51\\LIB\\";
  }

  report->simulated =
      report->rule == ToolchainRule::kBundled ||
      Comparable(report->program_dir) == Comparable(Join(install_dir, "simtool/C51/BIN"));
  // The plug-in will not build without the first four; without the hex
  // converter it makes no hex file.
  for (const char* name : {"C51.exe", "A51.exe", "BL51.exe", "Lib51.exe", "OH51.exe"}) {
    ToolStatus tool;
    tool.name = name;
    tool.required = tool.name != "OH51.exe";
    const std::string path = report->program_dir + name;
    tool.found = PathExists(path) && !IsDirectory(path);
    tool.through_wine = tool.found && RunsThroughWine(path);
    report->tools.push_back(tool);
  }
  return true;
}

std::string FormatToolchainReport(const ToolchainReport& report, const std::string& cwd) {
  auto shown = [&cwd](const std::string& path) { return DisplayPath(path, cwd, cwd); };
  auto padded = [](std::string text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
  };
  std::string out = "toolchain: " + shown(report.program_dir) + "\n";
  out += "found by:  " + RuleText(report, cwd) + "\n";
  for (const ToolStatus& tool : report.tools) {
    out += "  " + padded(tool.name, 11);
    if (!tool.found) {
      out += tool.required ? "missing" : "missing (no hex file is made without it)";
    } else {
      out += padded("found", 8) + (tool.through_wine ? "runs through wine" : "runs natively");
    }
    out += "\n";
  }
  auto folder = [&shown](const std::string& path) {
    return shown(path) + (IsDirectory(path) ? "" : " (missing)");
  };
  out += "include:   " + folder(report.include_dir) + "\n";
  out += "library:   " + folder(report.library_dir) + "\n";
  if (report.simulated)
    out += "the simulated toolchain translates nothing for real: its hex files are not firmware\n";
  return out;
}

}  // namespace c51::host
