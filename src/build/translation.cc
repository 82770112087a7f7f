#include "build/translation.h"

#include <deque>
#include <vector>

#include "build/command_record.h"
#include "build/object_records.h"
#include "build/output_filter.h"
#include "build/stamp_prefetch.h"
#include "build/tool_environment.h"
#include "build/tool_runner.h"
#include "build/translation_jobs.h"
#include "build/user_commands.h"
#include "options/a51_control_string.h"
#include "options/c51_control_string.h"
#include "options/command_file.h"
#include "options/state_inputs.h"
#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "platform/tool_paths.h"
#include "plugin/build_cache.h"
#include "plugin/state.h"
#include "project/config_keys.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scope_walk.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {
namespace {

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

void Output(PluginState* state, const std::string& line) {
  if (state->host != nullptr) state->host->Output(line.c_str(), 1);
}

// NeedsRebuild with the object's path built in `object`, whose memory the
// walk reuses from one file to the next.
bool SourceNeedsRebuild(PluginState* state, const std::string& source, std::string* object) {
  if (state->build.rebuild_all) return true;
  // A check outside a build counts as a build of its own.
  if (state->build.serial == 0) state->build.serial = ++state->builds_started;
  const int64_t source_time = ModificationTime(source);
  // A missing source cannot be translated; the linker will say what is
  // missing.
  if (source_time == 0) return false;
  object->assign(state->output_dir);
  object->append(FileTitle(source, PathBreak::kSlashOrDrive));
  object->append(".obj");
  return ObjectOutOfDate(state, *object, source_time);
}

// The "BeforeCmp" commands run between the translations before and after
// them, as when files translated one after another: the ones before have
// ended and shown their lines when a command starts.
void RunBeforeCompile(PluginState* state, TranslationQueue* queue) {
  const char* value =
      GetAttributeText(FindCurrentConfiguration(&state->configuration), keys::kBeforeCompile);
  UserCommands commands;
  if (state->host == nullptr || !DecodeUserCommands(value, &commands)) return;
  if ((!commands.run1 || commands.command1.empty()) &&
      (!commands.run2 || commands.command2.empty())) {
    return;
  }
  queue->Drain();
  RunUserCommands(state, value);
}

// Where a file's switches and code bank come from.
struct FileScopes {
  FileSwitches switches;
  // The file's own configuration, else the nearest enclosing group's.
  const ProjectNode* local = nullptr;
  bool own = false;  // `local` is the file's own
};

// As ResolveFileSwitches and FindLocalConfiguration answer for a file at
// the place `groups` has reached.
FileScopes ScopesInWalk(PluginState* state, const ProjectNode* file, const ScopeStack& groups) {
  FileScopes scopes;
  const ProjectNode* own = FindFileConfiguration(file, &state->configuration);
  scopes.local = own ? own : groups.nearest();
  scopes.own = own != nullptr;
  scopes.switches = ResolveFileSwitches(own, groups);
  return scopes;
}

std::string WithTitle(const std::string& controls, std::string_view title) {
  std::string out;
  out.reserve(controls.size() + 2 * title.size());
  for (char c : controls) {
    if (c == kTitleMark) {
      out += title;
    } else {
      out += c;
    }
  }
  return out;
}

// The commands of `file`'s scope, resolved once per build and scope: a
// file without a configuration of its own gets the options of its nearest
// configured scope, which every file under that scope shares.
const ScopeCommand& CommandOfScope(PluginState* state, const ProjectNode* file, FileKind kind,
                                   const FileScopes& scopes) {
  auto& memo =
      kind == FileKind::kCSource ? state->build.compiler_scopes : state->build.assembler_scopes;
  const ProjectNode* key = scopes.own ? file : scopes.local;
  auto found = memo.find(key);
  if (found != memo.end()) return found->second;
  ScopeCommand command;
  const std::string_view mark(&kTitleMark, 1);
  const BuildInputs inputs = BuildInputsFromState(state);
  uint64_t h = HashText(state->output_dir_relative);
  if (kind == FileKind::kCSource) {
    // A Windows compiler under wine takes its folders on the prefix's drives.
    command.controls =
        ControlsForProgram(state->toolchain.compiler, BuildC51ControlString(file, inputs, mark));
    h = CombineHash(h, HashText(state->toolchain.compiler));
    h = CombineHash(h, HashText(command.controls));
    const FileSwitches& switches = scopes.switches;
    h = CombineHash(h, (switches.generates_asm() ? 1u : 0u) | (switches.assembles_asm() ? 2u : 0u));
    if (switches.generates_asm() && switches.assembles_asm()) {
      h = CombineHash(h, HashText(state->toolchain.assembler));
      h = CombineHash(h, HashText(BuildGeneratedAsmControlString(state)));
    }
  } else {
    command.controls =
        ControlsForProgram(state->toolchain.assembler, BuildA51ControlString(file, inputs, mark));
    h = CombineHash(h, HashText(state->toolchain.assembler));
    h = CombineHash(h, HashText(command.controls));
  }
  command.fingerprint = h;
  return memo.emplace(key, std::move(command)).first->second;
}

// False when the record holds another fingerprint for the file's object,
// or none: its commands changed since it was made, or nobody knows.
bool MadeByTheseCommands(const PluginState& state, WalkedFile* file) {
  if (file->commands_generation != state.caches().commands.generation()) {
    file->command_slot = state.caches().commands.Slot(file->record_name);
    file->commands_generation = state.caches().commands.generation();
  }
  return file->command_slot != nullptr && *file->command_slot == file->fingerprint;
}

// The path the tools get: relative to the project folder they run in, or
// absolute when there is no relative form.
std::string ToolPath(const PluginState& state, const std::string& absolute) {
  std::string relative;
  if (RelativePath(state.project_dir, absolute, &relative)) return relative;
  return PathForProgram(state.toolchain.compiler, absolute);
}

// A job carrying what every translation of `file` has: where it runs, the
// object it makes and how the command record names it.
TranslationJob JobFor(const PluginState& state, const WalkedFile& file) {
  TranslationJob job;
  job.working_dir = ToolWorkingDirectory(state);
  job.object = state.output_dir + file.title + ".obj";
  job.record_object = file.object_path;
  job.record_name = file.record_name;
  job.fingerprint = file.fingerprint;
  return job;
}

void CompileC(PluginState* state, TranslationQueue* queue, const WalkedFile& file,
              const FileSwitches& switches) {
  RunBeforeCompile(state, queue);
  const std::string compiler = Quoted(state->toolchain.compiler);
  const std::string source = Quoted(ToolPath(*state, file.absolute));
  const std::string& controls = file.controls;
  const std::string& object_dir = state->output_dir_relative;

  TranslationJob job = JobFor(*state, file);
  ToolStep& compile = job.steps[0];
  compile.header = "compiling " + file.name + "...";
  compile.layout = MessageLayout::kC51;
  if (!switches.generates_asm()) {
    compile.command =
        compiler + " " + source + " " + controls + " OBJECT(" + Quoted(file.object) + ")";
    queue->Submit(std::move(job));
    return;
  }
  const std::string generated = object_dir + file.title + ".SRC";
  compile.command = compiler + " " + source + " " + controls + " SRC (" + Quoted(generated) + ")";
  compile.makes_object = false;
  if (switches.assembles_asm()) {
    ToolStep& assemble = job.steps[1];
    assemble.header = "assembling " + generated + "...";
    assemble.command = Quoted(state->toolchain.assembler) + " " + Quoted(generated) + " PR(" +
                       Quoted(object_dir + file.title + ".ls1") + ") " +
                       BuildGeneratedAsmControlString(state);
    assemble.layout = MessageLayout::kA51;
    job.step_count = 2;
  }
  queue->Submit(std::move(job));
}

void Assemble(PluginState* state, TranslationQueue* queue, const WalkedFile& file) {
  RunBeforeCompile(state, queue);
  TranslationJob job = JobFor(*state, file);
  ToolStep& assemble = job.steps[0];
  assemble.header = "assembling " + file.absolute + "...";
  assemble.command = Quoted(state->toolchain.assembler) + " " +
                     Quoted(ToolPath(*state, file.absolute)) + " " + file.controls;
  assemble.layout = MessageLayout::kA51;
  queue->Submit(std::move(job));
}

// Fills `file`'s names for `node` whose "RelativePath" is `relative`,
// unless it holds them already.
void DeriveNames(const PluginState& state, const ProjectNode* node, const char* relative,
                 WalkedFile* file) {
  if (file->node == node && file->relative == relative) return;
  file->node = node;
  file->relative.assign(relative);
  file->kind = KindOfFile(relative);
  ProjectFilePath(state.project_dir, relative, &file->absolute);
  const std::string_view name = NamePart(relative, PathBreak::kSlashOrDrive);
  file->name.assign(name);
  file->title.assign(FileTitle(name, PathBreak::kSlashOrDrive));
  if (file->kind == FileKind::kObject) {
    file->object.assign(file->absolute);
  } else {
    file->object.assign(state.output_dir_relative).append(file->title).append(".obj");
  }
  // As NeedsRebuild names the object: by the full path's name part.
  file->object_path.assign(state.output_dir)
      .append(FileTitle(file->absolute, PathBreak::kSlashOrDrive))
      .append(".obj");
  file->record_name.clear();
  for (char c : file->title) file->record_name.push_back(ToLowerAscii(c));
  file->record_name.append(".obj");
  file->relative_hash = HashText(relative);
  file->title_hash = HashText(file->title);
  file->record = nullptr;
  file->command_slot = nullptr;
  file->commands_generation = 0;
}

// The up-to-date check of NeedsRebuild for a file whose names are derived.
bool WalkedFileNeedsRebuild(PluginState* state, WalkedFile* file) {
  if (state->build.rebuild_all) return true;
  if (state->build.serial == 0) state->build.serial = ++state->builds_started;
  const int64_t source_time = ModificationTime(file->absolute);
  if (source_time == 0) return false;
  return ObjectOutOfDate(state, file->object_path, source_time, &file->record);
}

// `source` holds what was derived for `file` the last time, if anything:
// the walk keeps it from one build to the next.
void TranslateScoped(PluginState* state, TranslationQueue* queue, const ProjectNode* file,
                     bool force, const FileScopes& scopes, int bank_count, WalkedFile* walked) {
  const char* relative_path = GetAttributeText(file, keys::kRelativePath);
  if (relative_path == nullptr) return;
  DeriveNames(*state, file, relative_path, walked);
  WalkedFile& source = *walked;
  const FileKind kind = source.kind;
  if (kind == FileKind::kIgnored || !scopes.switches.included()) return;

  if (kind != FileKind::kObject) {
    // A file is translated when its object is out of date or was made by
    // other commands than the ones it would run now.
    const ScopeCommand& scope = CommandOfScope(state, file, kind, scopes);
    source.fingerprint =
        CombineHash(CombineHash(scope.fingerprint, source.relative_hash), source.title_hash);
    // A single-file request does not force an assembly source.
    const bool due = (force && kind == FileKind::kCSource) ||
                     WalkedFileNeedsRebuild(state, &source) ||
                     !MadeByTheseCommands(*state, &source);
    if (due) {
      // What runs now may change objects the walk has yet to look at.
      if (state->build.stamp_prefetch != nullptr) state->build.stamp_prefetch->Invalidate();
      source.controls = WithTitle(scope.controls, source.title);
      if (kind == FileKind::kCSource) {
        CompileC(state, queue, source, scopes.switches);
      } else {
        Assemble(state, queue, source);
      }
    }
  }
  // An object file of the project is named by its full path, in the form
  // the linker takes.
  AppendObjectEntry(&state->build.object_list, scopes.local, bank_count,
                    kind == FileKind::kObject
                        ? PathForProgram(state->toolchain.linker, source.object)
                        : source.object);
  if (kind == FileKind::kObject) state->build.listed_objects.push_back(source.absolute);
}

int CurrentBankCount(PluginState* state) {
  return ConfigurationBankCount(FindCurrentConfiguration(&state->configuration));
}

}  // namespace

FileKind KindOfFile(std::string_view path) {
  const std::string_view extension = ExtensionOf(path);
  if (EqualsIgnoringCase(extension, "c")) return FileKind::kCSource;
  // ".s" too: uVision assembles a file of any name its project marks as
  // assembly, and projects written for other assemblers' habits use it.
  for (std::string_view e : {"asm", "a51", "src", "s"}) {
    if (EqualsIgnoringCase(extension, e)) return FileKind::kAssemblySource;
  }
  for (std::string_view e : {"obj", "lib", "rel"}) {
    if (EqualsIgnoringCase(extension, e)) return FileKind::kObject;
  }
  return FileKind::kIgnored;
}

std::string ProjectFilePath(const std::string& project_dir, std::string_view relative) {
  std::string path;
  ProjectFilePath(project_dir, relative, &path);
  return path;
}

void ProjectFilePath(const std::string& project_dir, std::string_view relative, std::string* out) {
  std::string_view rest = relative;
  while (rest.size() >= 2 && rest[0] == '.' && IsPathSeparator(rest[1])) rest.remove_prefix(2);
  // Only plain names joined by single separators take the short way: no
  // root, drive, "." or ".." segment, doubled or trailing separator.
  bool plain = !rest.empty() && !project_dir.empty() && !IsPathSeparator(rest.back());
  size_t segment = 0;
  for (size_t i = 0; plain && i <= rest.size(); ++i) {
    if (i < rest.size() && !IsPathSeparator(rest[i])) {
      if (rest[i] == ':') plain = false;
      continue;
    }
    const std::string_view name = rest.substr(segment, i - segment);
    if (name.empty() || name == "." || name == "..") plain = false;
    segment = i + 1;
  }
  if (!plain) {
    *out = LexicalFullPath(std::string(relative), project_dir, NativePathStyle());
    return;
  }
  const char separator = NativePathStyle() == PathStyle::kWindows ? '\\' : '/';
  std::string& path = *out;
  path.assign(project_dir);
  if (!IsPathSeparator(path.back())) path += separator;
  const size_t start = path.size();
  path += rest;
  for (size_t i = start; i < path.size(); ++i) {
    if (IsPathSeparator(path[i])) path[i] = separator;
  }
}

bool NeedsRebuild(PluginState* state, const std::string& source) {
  std::string object;
  return SourceNeedsRebuild(state, source, &object);
}

void TranslateProjectFile(PluginState* state, const ProjectNode* file, bool force) {
  FileScopes scopes;
  scopes.switches = ResolveFileSwitches(file, &state->configuration);
  scopes.local = FindLocalConfiguration(file, &state->configuration);
  scopes.own = FindFileConfiguration(file, &state->configuration) != nullptr;
  WalkedFile walked;
  TranslationQueue queue(state, 1);
  TranslateScoped(state, &queue, file, force, scopes, CurrentBankCount(state), &walked);
}

void WalkGroup(PluginState* state, const ProjectNode* group, int jobs) {
  if (group == nullptr) return;
  // The objects' records from the folder's log, and back into it after
  // the walk: a new process then opens only the objects that changed.
  DependencyLogScope log(state);
  // The logged objects' stamps asked ahead, until something runs.
  StampPrefetch prefetch(log.TakeLogged());
  struct PrefetchScope {
    PluginState* state;
    ~PrefetchScope() { state->build.stamp_prefetch = nullptr; }
  } prefetch_scope{state};
  state->build.stamp_prefetch = &prefetch;
  const int bank_count = CurrentBankCount(state);
  // Every node from the root down to `group`, then each group entered.
  ScopeStack levels(&state->configuration);
  levels.EnterPath(group);
  // What the last walk derived for each file, by the file's place in the
  // walk; kept only while the folders it was derived from stay the same.
  std::deque<WalkedFile>& walked = state->caches().walked_files;
  const std::string folders =
      state->project_dir + '\0' + state->output_dir + '\0' + state->output_dir_relative;
  if (folders != state->caches().walked_folders) {
    walked.clear();
    state->caches().walked_folders = folders;
  }
  size_t position = 0;
  // Reports every translation before the walk returns, however it ends.
  TranslationQueue queue(state, jobs);
  // The next sibling to visit at each group entered below `group`.
  std::vector<const ProjectNode*> pending;
  const ProjectNode* node = group->first_child;
  for (;;) {
    if (node == nullptr) {
      if (pending.empty()) {
        walked.resize(position);
        return;
      }
      node = pending.back();
      pending.pop_back();
      levels.Leave();
      continue;
    }
    if (state->build_continue.load() == 0) return;
    if (TextEquals(node->name, keys::kFile)) {
      if (position == walked.size()) walked.emplace_back();
      TranslateScoped(state, &queue, node, false, ScopesInWalk(state, node, levels), bank_count,
                      &walked[position++]);
    } else if (TextEquals(node->name, keys::kFilter) &&
               GetAttributeText(node, keys::kName) != nullptr) {
      pending.push_back(node->next_sibling);
      levels.Enter(node);
      node = node->first_child;
      continue;
    }
    node = node->next_sibling;
  }
}

std::string SummaryLine(const PluginState& state) {
  return "\"" + state.output_name + "\" - " + std::to_string(state.error_count) + " error(s), " +
         std::to_string(state.warning_count) + " warning(s).";
}

int TranslateFile(PluginState* state, const ProjectNode* node) {
  const ProjectNode* config = FindCurrentConfiguration(&state->configuration);
  if (config == nullptr || node == nullptr || node->name.data == nullptr) return 0;
  FileNameMatchScope matches;

  const std::string include =
      CompilerIncludeVariable(state->toolchain.include_dir,
                              IncludeSubdirectory(GetAttributeText(config, keys::kRegisterFile)));
  ToolEnvironment environment(*state, include);
  state->error_count = 0;
  state->warning_count = 0;
  // A single translation starts clean: nothing from the last build's
  // object list, header times or rebuild request carries over.
  state->build = BuildProgress();
  state->build.serial = ++state->builds_started;
  state->caches().commands.Load(state->output_dir);
  CommandRecordSaver saver(&state->caches().commands);

  if (TextEquals(node->name, keys::kFile)) {
    TranslateProjectFile(state, node, true);
    Output(state, SummaryLine(*state));
    if (state->host != nullptr) state->host->TranslationDone();
  }
  environment.Restore();
  return 1;
}

}  // namespace c51
