// Commands that run the plug-in's build entries and queries: build,
// translate, clean, deps, includes, compdb.
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "build/translation_jobs.h"

#include "host/commands.h"
#include "host/compdb.h"
#include "host/existing_files.h"
#include "host/host_platform.h"
#include "host/path_display.h"
#include "host/project_model.h"
#include "host/rom_check.h"
#include "host/toolchain_report.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {
namespace {

// The iterators copy at most size - 1 bytes and a NUL; a longer name is
// cut, which for a path this long is the plug-in's limit anyway.
constexpr int kQueryBufferSize = 4096;
// A plug-in that never says "no more" must not keep the host looping.
constexpr int kMaxQueryAnswers = 100000;

// Loads the project and the plug-in and opens the configuration.
bool Prepare(Session* session, std::string* config) {
  return session->OpenProject() && session->LoadPlugin() && session->OpenConfiguration(config);
}

// Runs one iterator entry until it says "no more"; each answer goes to
// `take`.
template <typename Next, typename Take>
void Iterate(Next next, Take take) {
  std::vector<char> buffer(kQueryBufferSize, '\0');
  for (int i = 0; i < kMaxQueryAnswers; ++i) {
    buffer[0] = '\0';
    if (!next(buffer.data(), static_cast<int>(buffer.size()), i == 0 ? 1 : 0)) break;
    buffer.back() = '\0';
    take(std::string(buffer.data()));
  }
}

// What the plug-in reads when a build starts (see C51_BUILD_JOBS in its
// README section): -j when given, else what the user's environment says,
// else one job per processor. False with a message for a -j that is no
// positive number.
bool SetBuildJobs(Session* session) {
  const std::string given = session->command().Value("jobs");
  std::string jobs = given;
  if (session->command().values.count("jobs") == 0) {
    std::string inherited;
    if (GetEnv(kBuildJobsVariable, &inherited)) return true;
    const unsigned processors = std::thread::hardware_concurrency();
    jobs = std::to_string(processors == 0 ? 1 : processors);
  } else {
    // Any number of digits that is not all zeros; the plug-in takes a
    // large one as its own limit.
    const bool digits =
        !given.empty() && given.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || given.find_first_not_of('0') == std::string::npos) {
      session->Error("-j needs a positive number of jobs, not \"" + given + "\"");
      return false;
    }
  }
  SetEnv(kBuildJobsVariable, jobs);
  return true;
}

void PrintLine(const std::string& gbk) {
  std::string text = ToStreamEncoding(gbk, stdout);
  std::printf("%s\n", text.c_str());
}

// The folder the user started us in, which shown paths are relative to:
// the plug-in moves the process into the project's folder while it works,
// so each command makes the first call before it loads the plug-in.
const std::string& UserFolder() {
  static const std::string folder = CurrentDirectory();
  return folder;
}

// --message-format. False (reported) for an unknown format.
bool SetUpOutput(Session* session) {
  UserFolder();
  MessageFormat format = MessageFormat::kPlain;
  const std::string name = session->command().Value("message-format", "plain");
  if (!ParseMessageFormat(name, &format)) {
    session->Error("--message-format must be plain, gnu or github, not \"" + name + "\"");
    return false;
  }
  session->output().set_format(format);
  return true;
}

// After the project is open: tool paths start from its folder, and a
// build with the bundled simulated toolchain says so before its first
// tool line.
void SetUpBuildOutput(Session* session) {
  BuildOutput& output = session->output();
  output.set_folders(session->ProjectFolder(), UserFolder());
  std::string option = session->command().Value("toolchain");
  if (!option.empty()) option = FullPath(option);
  ToolchainReport report;
  std::string err;
  if (FindToolchain(ExecutableDirectory(), option, &report, &err) && report.simulated)
    output.set_notice(kSimulatedToolchainNotice);
}

// The plug-in skips a source that is not there without a word (or, in a
// rebuild, hands a C file to the compiler), and the user would see only the
// linker's or the compiler's complaint about it.
void ReportMissingSources(Session* session, const std::vector<ProjectNode*>& files,
                          const std::string& config) {
  ConfigurationRef ref{session->tree().root(), config};
  const std::string folder = session->ProjectFolder();
  ExistingFiles existing;
  for (ProjectNode* file : files) {
    if (FileSteps(file, &ref) == 0) continue;
    const std::string path = AbsoluteFilePath(file, folder);
    if (existing.Exists(path)) continue;
    session->Warning("source file " + DisplayPath(path, folder, UserFolder()) + " does not exist");
  }
}

// A dependency inside the project comes relative to its folder, after a
// separator ("\src\board.h"); one outside it is absolute.
std::string DependencyPath(const std::string& entry, const std::string& project_folder) {
  if (!entry.empty() && IsPathSeparator(entry[0]) && PathExists(project_folder + entry))
    return DisplayPath(project_folder + entry, project_folder, UserFolder());
  return DisplayPath(entry, project_folder, UserFolder());
}

}  // namespace

int CommandBuild(Session* session) {
  if (!SetBuildJobs(session) || !SetUpOutput(session)) return kExitUsage;
  std::string config;
  if (!Prepare(session, &config)) return kExitUsage;
  SetUpBuildOutput(session);
  ReportMissingSources(session, ProjectFiles(session->tree().root()), config);
  session->output().set_planned_steps(PlannedSteps(session->tree().root(), config));
  PluginHost& plugin = session->plugin();
  plugin.StopOnInterrupt();
  int built = plugin.table()->BuildTarget(session->command().Has("rebuild") ? 1 : 0);
  plugin.EndStopOnInterrupt();
  session->output().Flush();
  session->SyncContext();
  if (!session->SaveIfModified()) return kExitUsage;
  if (!built) {
    session->Error("the build of \"" + config + "\" failed");
    return kExitBuildFailed;
  }
  const std::string overflow =
      RomOverflowWarning(plugin.device(), session->output().program_code_bytes());
  if (!overflow.empty()) session->Warning(overflow);
  return kExitSuccess;
}

int CommandTranslate(Session* session) {
  const std::string path = FullPath(session->command().arguments.front());
  if (!SetUpOutput(session) || !session->OpenProject()) return kExitUsage;
  ProjectNode* file = FindProjectFile(session->tree().root(), session->ProjectFolder(), path);
  if (!file) {
    session->Error(session->command().arguments.front() + " is not a file of the project");
    return kExitUsage;
  }
  std::string config;
  if (!session->LoadPlugin() || !session->OpenConfiguration(&config)) return kExitUsage;
  SetUpBuildOutput(session);
  ReportMissingSources(session, {file}, config);
  ConfigurationRef ref{session->tree().root(), config};
  session->output().set_planned_steps(FileSteps(file, &ref));
  PluginHost& plugin = session->plugin();
  plugin.reset_translation_done_calls();
  plugin.StopOnInterrupt();
  int result = plugin.table()->TranslateFile(file);
  plugin.EndStopOnInterrupt();
  session->output().Flush();
  session->SyncContext();
  if (!session->SaveIfModified()) return kExitUsage;
  // The entry answers 1 whenever it ran; the summary tells whether the
  // tool found errors.
  if (!result || plugin.translation_done_calls() == 0 || session->output().summary_errors() != 0) {
    session->Error("the translation of " + path + " failed");
    return kExitBuildFailed;
  }
  return kExitSuccess;
}

int CommandClean(Session* session) {
  std::string config;
  if (!Prepare(session, &config)) return kExitUsage;
  session->plugin().table()->CleanTarget();
  session->SyncContext();
  if (!session->SaveIfModified()) return kExitUsage;
  PrintText(stdout, "cleaned \"" + config + "\"\n");
  return kExitSuccess;
}

int CommandDeps(Session* session) {
  UserFolder();
  const std::string source = FullPath(session->command().arguments.front());
  std::string config;
  if (!Prepare(session, &config)) return kExitUsage;
  PluginInterface* table = session->plugin().table();
  const std::string folder = session->ProjectFolder();
  Iterate([&](char* buffer, int size,
              int first) { return table->NextDependency(source.c_str(), buffer, size, first); },
          [&folder](const std::string& entry) { PrintLine(DependencyPath(entry, folder)); });
  return kExitSuccess;
}

int CommandIncludes(Session* session) {
  UserFolder();
  std::string config;
  if (!Prepare(session, &config)) return kExitUsage;
  PluginInterface* table = session->plugin().table();
  const std::string project_folder = session->ProjectFolder();
  Iterate([&](char* buffer, int size,
              int first) { return table->NextIncludeDirectory(buffer, size, first); },
          [&project_folder](const std::string& folder) {
            // An empty include text gives one empty answer; it names nothing.
            if (!folder.empty()) PrintLine(DisplayPath(folder, project_folder, UserFolder()));
          });
  return session->SaveIfModified() ? kExitSuccess : kExitUsage;
}

int CommandCompdb(Session* session) {
  const std::string requested = session->command().Value("output");
  const std::string output_path = requested.empty() ? std::string() : FullPath(requested);
  std::string config;
  if (!Prepare(session, &config)) return kExitUsage;
  const std::string project_folder = session->ProjectFolder();
  const std::string json_path =
      output_path.empty()
          ? LexicalFullPath("compile_commands.json", project_folder, NativePathStyle())
          : output_path;
  size_t slash = json_path.find_last_of("\\/");
  const std::string header_path = json_path.substr(0, slash + 1) + "corvane-c51-keywords.h";

  std::vector<std::string> toolchain_includes;
  PluginInterface* table = session->plugin().table();
  Iterate([&](char* buffer, int size,
              int first) { return table->NextIncludeDirectory(buffer, size, first); },
          [&](const std::string& folder) { toolchain_includes.push_back(folder); });

  std::vector<CompileEntry> entries = CompileEntries(session->tree().root(), config, project_folder,
                                                     toolchain_includes, header_path);
  std::string err;
  if (!AtomicWriteFile(header_path, KeywordHeader(), &err) ||
      !AtomicWriteFile(json_path, CompileCommandsJson(entries), &err)) {
    session->Error(err);
    return kExitUsage;
  }
  session->SyncContext();
  if (!session->SaveIfModified()) return kExitUsage;
  PrintText(stdout, "wrote " + json_path + " (" + std::to_string(entries.size()) + " C file" +
                        (entries.size() == 1 ? "" : "s") + ")\n");
  return kExitSuccess;
}

}  // namespace c51::host
