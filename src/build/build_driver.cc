#include "build/build_driver.h"

#include <string>

#include "build/command_record.h"
#include "build/output_filter.h"
#include "build/tool_environment.h"
#include "build/tool_runner.h"
#include "build/translation.h"
#include "build/translation_jobs.h"
#include "build/user_commands.h"
#include "options/command_file.h"
#include "options/state_inputs.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "platform/tool_paths.h"
#include "plugin/build_cache.h"
#include "plugin/state.h"
#include "project/device_record.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scopes.h"
#include "support/messages.h"
#include "support/path_text.h"

namespace c51 {
namespace {

void Output(PluginState* state, const std::string& line) {
  if (state->host != nullptr) state->host->Output(line.c_str(), 1);
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// A missing key keeps `fallback`; a stored one is read as a decimal.
int IntKey(const ProjectNode* node, const char* key, int fallback) {
  int value = fallback;
  if (GetAttributeText(node, key) != nullptr) GetAttributeInt(node, key, &value);
  return value;
}

bool StopRequested(const PluginState& state) {
  return state.build_continue.load() == 0;
}

// The first missing one of the four programs a build cannot do without
// ends the build with its message.
bool CheckTools(PluginState* state) {
  const ToolchainPaths& tools = state->toolchain;
  const struct {
    const std::string* path;
    MessageId missing;
  } required[] = {
      {&tools.compiler, MessageId::kNoCompiler},
      {&tools.assembler, MessageId::kNoAssembler},
      {&tools.library_manager, MessageId::kNoLibraryManager},
      {&tools.linker, MessageId::kNoLinker},
  };
  for (const auto& tool : required) {
    if (!PathExists(*tool.path)) {
      Output(state, MessageText(tool.missing, state->language));
      return false;
    }
  }
  return true;
}

// The command file's text, with the NUL byte the tools expect after it.
std::string CommandFileText(PluginState* state, bool library) {
  CommandFileInputs inputs;
  inputs.object_dir = state->output_dir_relative;
  inputs.output_name = state->output_name;
  if (!library) inputs.linker_control_string = BuildLinkerControlString(state);
  std::string text = BuildCommandFileText(state->build.object_list, library, inputs);
  text.push_back('\0');
  return text;
}

// Writes the command file, then runs the linker or library manager on it.
// A file that cannot be written is left to the tool to complain about.
bool LinkOrCollect(PluginState* state, bool library, const std::string& text) {
  Output(state, library ? "creating library..." : "linking...");
  std::string err;
  WriteWholeFile(CommandFilePath(state->output_dir, state->output_name), text, &err);

  const std::string& tool = library ? state->toolchain.library_manager : state->toolchain.linker;
  const std::string command =
      Quoted(tool) + " @" + Quoted(CommandFilePath(state->output_dir_relative, state->output_name));
  return RunLinkerTool(state, command);
}

// The hex file beside the program: the program's name with ".hex" in place
// of its extension.
std::string HexFileOf(const PluginState& state) {
  return state.output_dir +
         std::string(FileTitle(state.output_name, PathBreak::kBackslashOrDrive)) + ".hex";
}

// The hex converter's own output is not shown and does not judge the
// build; a converter that could not run, was killed or ended with an
// error status (2 and up: a write error leaves a cut file) does.
bool ConvertToHex(PluginState* state, bool have_converter) {
  const std::string program = state->output_dir + state->output_name;
  Output(state, "creating hex file from " + Quoted(program) + "...");
  if (!have_converter) {
    // What is there was made from an older program.
    RemoveFile(HexFileOf(*state));
    return true;
  }
  const std::string& converter = state->toolchain.hex_converter;
  const ToolRun run =
      RunTool(state, Quoted(converter) + " " + Quoted(PathForProgram(converter, program)),
              ToolWorkingDirectory(*state));
  if (!ReportToolFailure(state, run)) return false;
  if (run.exit_code < 2) return true;
  ReportBuildError(state, "*** ERROR: \"" + run.program + "\" ended with exit code " +
                              std::to_string(run.exit_code));
  return false;
}

// make's rule: `target` is out of date when it is missing or older than
// one of `inputs` or than `newest` (an input time known already).
bool OlderThanAny(const std::string& target, const std::vector<std::string>& inputs,
                  int64_t newest = 0) {
  const int64_t made = ModificationTime(target);
  if (made == 0 || newest > made) return true;
  for (const std::string& input : inputs) {
    if (ModificationTime(input) > made) return true;
  }
  return false;
}

}  // namespace

int BuildTarget(PluginState* state, int rebuild_all) {
  // Nothing to build before a configuration was opened.
  if (state->configuration.root == nullptr) return 0;
  // Names the project spells in another case than the disk are matched once
  // per build, not at every stat.
  FileNameMatchScope matches;
  state->build = BuildProgress();
  state->build.serial = ++state->builds_started;
  state->build.rebuild_all = rebuild_all != 0;
  state->caches().commands.Load(state->output_dir);
  CommandRecordSaver saver(&state->caches().commands);

  if (!CheckTools(state)) return 0;
  const bool have_hex_converter = PathExists(state->toolchain.hex_converter);
  if (!have_hex_converter) Output(state, MessageText(MessageId::kNoHexConverter, state->language));

  state->error_count = 0;
  state->warning_count = 0;
  state->build.ok = true;

  const ProjectNode* root = state->configuration.root;
  const char* project_name = GetAttributeText(root, keys::kName);
  const ProjectNode* config = FindCurrentConfiguration(&state->configuration);
  if (project_name == nullptr || config == nullptr) return 0;
  RunUserCommands(state, GetAttributeText(config, keys::kBeforeBuild));
  const char* config_name = GetAttributeText(config, keys::kName);
  if (config_name == nullptr) return 0;
  Output(state, std::string("build target '") + project_name + "-" + config_name + "'");
  for (const std::string& refused : state->refused_names) {
    Output(state, refused + MessageText(MessageId::kLeavesProjectFolder, state->language));
  }

  const std::string subdirectory =
      IncludeSubdirectory(FindDeviceProperty(state->context.device, "REGFILE"));
  ToolEnvironment environment(*state,
                              CompilerIncludeVariable(state->toolchain.include_dir, subdirectory));

  state->build.object_list.clear();
  state->build.newest_object_time = 0;
  state->build.listed_objects.clear();
  state->build_continue.store(1);
  state->build.any_translated = false;
  WalkGroup(state, FirstChildNamed(root, keys::kFiles), BuildJobsSetting());
  if (StopRequested(*state)) {
    Output(state, "Program build aborted.");
    return 0;
  }

  const bool library = IntKey(config, keys::kCreateLibrary, 0) != 0;
  const bool hex = IntKey(config, keys::kCreateExecutable, 1) != 0;
  // Nothing translated means nothing to link, unless an earlier link failed
  // or an object changed since (a single file translated, an object file
  // of the project replaced), or the command file says something else than
  // at the last link (an object added, a linker option changed): then the
  // target is out of date all the same.
  const std::string target_name =
      library ? std::string(FileTitle(state->output_name, PathBreak::kBackslashOrDrive)) + ".lib"
              : state->output_name;
  const std::string target = state->output_dir + target_name;
  const std::string command_file = CommandFileText(state, library);
  const uint64_t command_fingerprint =
      CombineHash(HashText(library ? state->toolchain.library_manager : state->toolchain.linker),
                  HashText(command_file));
  uint64_t linked_with = 0;
  const bool link =
      state->build.any_translated ||
      OlderThanAny(target, state->build.listed_objects, state->build.newest_object_time) ||
      !state->caches().commands.Find(target_name, &linked_with) ||
      linked_with != command_fingerprint;
  if (link) {
    if (state->build.ok && !state->build.object_list.empty()) {
      state->caches().commands.MarkStarting(target_name);
      state->build.ok = LinkOrCollect(state, library, command_file);
      // A linker that failed or was killed may have left a cut target; the
      // next build must link again, as make deletes a target whose recipe
      // failed.
      if (state->build.ok) {
        state->caches().commands.Set(target_name, command_fingerprint);
      } else {
        RemoveFile(target);
        state->caches().commands.Forget(target_name);
      }
    } else {
      Output(state, "Target not created");
      state->build.ok = false;
    }
    if (StopRequested(*state)) {
      Output(state, "Program build aborted.");
      return 0;
    }
  }
  // The hex file follows the program by the same rule: a converter that
  // was missing or killed last time gets its turn, and so does one whose
  // process ended with ours while it wrote (the record then lacks it).
  const std::string hex_name =
      std::string(FileTitle(state->output_name, PathBreak::kBackslashOrDrive)) + ".hex";
  const uint64_t hex_fingerprint = HashText(state->toolchain.hex_converter);
  uint64_t hexed_with = 0;
  if (state->build.ok && hex &&
      (link || (!library && have_hex_converter &&
                (OlderThanAny(HexFileOf(*state), {target}) ||
                 !state->caches().commands.Find(hex_name, &hexed_with) ||
                 hexed_with != hex_fingerprint)))) {
    state->caches().commands.MarkStarting(hex_name);
    if (!ConvertToHex(state, have_hex_converter)) {
      state->build.ok = false;
      RemoveFile(HexFileOf(*state));
    } else if (have_hex_converter) {
      state->caches().commands.Set(hex_name, hex_fingerprint);
    }
  }

  Output(state, SummaryLine(*state));
  environment.Restore();
  RunUserCommands(state, GetAttributeText(config, keys::kAfterBuild));
  return state->build.ok ? 1 : 0;
}

}  // namespace c51
