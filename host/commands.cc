#include "host/commands.h"

#include "host/host_platform.h"

#include <cstdio>

#include "build/translation.h"
#include "host/project_model.h"
#include "platform/ascii_case.h"
#include "platform/path.h"
#include "project/key_names.h"
#include "project/scope_walk.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51::host {
namespace {

bool SamePath(std::string_view a, std::string_view b) {
  if (NativePathStyle() == PathStyle::kPosix) return a == b;
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = ToLowerAscii(a[i]), y = ToLowerAscii(b[i]);
    if (IsPathSeparator(x) && IsPathSeparator(y)) continue;
    if (x != y) return false;
  }
  return true;
}

}  // namespace

int FileSteps(ProjectNode* file, ConfigurationRef* ref) {
  std::string_view relative;
  if (!FindAttributeView(file, keys::kRelativePath, &relative)) return 0;
  FileKind kind = KindOfFile(relative);
  if (kind != FileKind::kCSource && kind != FileKind::kAssemblySource) return 0;
  FileSwitches switches = ResolveFileSwitches(file, ref);
  if (!switches.included()) return 0;
  return kind == FileKind::kCSource && switches.generates_asm() && switches.assembles_asm() ? 2 : 1;
}

int PlannedSteps(ProjectNode* root, const std::string& config) {
  ConfigurationRef ref{root, config};
  int steps = 0;
  for (ProjectNode* file : ProjectFiles(root)) steps += FileSteps(file, &ref);
  return steps;
}

ProjectNode* FindProjectFile(ProjectNode* root, const std::string& project_folder,
                             const std::string& path) {
  std::vector<ProjectNode*> files = ProjectFiles(root);
  for (ProjectNode* file : files)
    if (SamePath(AbsoluteFilePath(file, project_folder), path)) return file;
  ProjectNode* by_name = nullptr;
  for (ProjectNode* file : files) {
    const std::string absolute = AbsoluteFilePath(file, project_folder);
    if (!SamePath(NamePart(absolute, PathBreak::kSlash), NamePart(path, PathBreak::kSlash)))
      continue;
    if (by_name) return nullptr;
    by_name = file;
  }
  return by_name;
}

int RunCommandLine(const std::vector<std::string>& args) {
  ParsedCommand command;
  std::string err;
  if (!ParseCommandLine(args, &command, &err)) {
    PrintText(stderr, "corvane-c51: " + err + "\n");
    std::fprintf(
        stderr, "Try \"corvane-c51 %s--help\".\n",
        command.command_info ? (std::string(command.command_info->name) + " ").c_str() : "");
    return kExitUsage;
  }
  if (!command.command_info) {
    std::fputs(GeneralHelp().c_str(), command.help ? stdout : stderr);
    return command.help ? kExitSuccess : kExitUsage;
  }
  if (std::string(command.command_info->name) == "help") {
    if (command.arguments.empty()) {
      std::fputs(GeneralHelp().c_str(), stdout);
      return kExitSuccess;
    }
    const CommandSpec* command_info = FindCommand(command.arguments.front());
    if (!command_info) {
      PrintText(stderr, "corvane-c51: unknown command \"" + command.arguments.front() + "\"\n");
      return kExitUsage;
    }
    std::fputs(CommandHelp(*command_info).c_str(), stdout);
    return kExitSuccess;
  }
  if (command.help) {
    std::fputs(CommandHelp(*command.command_info).c_str(), stdout);
    return kExitSuccess;
  }
  Session session(command);
  if (command.command_info->run != nullptr) return command.command_info->run(&session);
  session.Error(std::string("command \"") + command.command_info->name + "\" is not available");
  return kExitUsage;
}

}  // namespace c51::host
