// The plug-in's process-wide state: one project, one current
// configuration, the folders derived from it, the located toolchain, the
// build flags and counters. Entries receive it as a pointer so that the
// logic below the entry table can be tested on a state of its own.
#ifndef C51_PLUGIN_STATE_H_
#define C51_PLUGIN_STATE_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/process.h"
#include "plugin/host_context.h"
#include "plugin/preference_store.h"
#include "project/config_keys.h"
#include "project/debug_record.h"
#include "project/scopes.h"
#include "support/messages.h"
#include "ui/user_interface.h"

namespace c51 {

class HostServices;
struct BuildCaches;
struct ProjectNode;
class StampPrefetch;

struct ToolchainPaths {
  std::string program_dir;      // ends in a separator, or empty
  std::string library_dir;      // "C51LIB"
  std::string include_dir;      // "C51INC" and the include enumeration
  std::string compiler;         // program_dir + "C51.exe"
  std::string assembler;        // + "A51.exe"
  std::string library_manager;  // + "Lib51.exe"
  std::string linker;           // + "BL51.exe"
  std::string hex_converter;    // + "OH51.exe"
  // Set only by an answer of the host's preference store that names an
  // existing compiler; never cleared, so that location is kept for the
  // rest of the process.
  bool located = false;
};

// The control string every file of one scope gets, with kTitleMark where
// the file's title goes, and a fingerprint of what the scope's commands
// share (tool, control string, folders, environment).
struct ScopeCommand {
  std::string controls;
  uint64_t fingerprint = 0;
};
// A byte no file name holds.
constexpr char kTitleMark = '\x01';

// What one build (or one single-file translation) carries from file to
// file. Reset at the start of each.
struct BuildProgress {
  // The host asked for a full rebuild: every file counts as out of date.
  bool rebuild_all = false;
  // False once a compiler, assembler or linker run failed.
  bool ok = true;
  // A compiler or assembler ran in this build.
  bool any_translated = false;
  // The command file's object entries, in walk order ("\"path\",\n" or
  // "BANK<n> {\"path\"},\n").
  std::string object_list;
  // The program is out of date when an object is newer: the newest time of
  // the objects the up-to-date checks looked at (0: none), and the full
  // paths of the object files the project lists itself, which nothing
  // else looks at.
  int64_t newest_object_time = 0;
  std::vector<std::string> listed_objects;
  // Numbers this build among all builds and single-file translations of
  // the process, from 1: include file times looked up in an earlier one
  // are looked up again.
  uint64_t serial = 0;
  // The buffer each object's first bytes are read into, kept from one
  // object to the next.
  std::string object_bytes;
  // Scope node (the file itself when it has a configuration of its own,
  // else the nearest enclosing one, null for none) => its commands, for C
  // and assembly sources: files of one scope share one option resolution.
  std::unordered_map<const ProjectNode*, ScopeCommand> compiler_scopes;
  std::unordered_map<const ProjectNode*, ScopeCommand> assembler_scopes;
  // The objects' stamps asked ahead of the walk; null outside it.
  StampPrefetch* stamp_prefetch = nullptr;
};

// One of the host's list queries: the list made by the call with the
// "first" flag and the next entry to hand out.
struct QueryList {
  std::vector<std::string> entries;
  size_t position = 0;  // entries.size(): nothing more
};

struct PluginState {
  // A byte copy of the host's record; all zero until SetHostContext.
  HostContext context{};
  // Null until the entry table installs its implementation.
  HostServices* host = nullptr;
  // Message boxes: the system's, or a recorder where there is none.
  UserInterface* ui = SystemInterface();

  // Root and current configuration name (OpenConfiguration, Notify).
  ConfigurationRef configuration;

  // Folders derived by OpenConfiguration. Absolute forms end in a separator.
  std::string project_dir;           // short form, no trailing separator
  std::string output_dir;            // absolute, short
  std::string output_dir_relative;   // relative to project_dir, "" for the project folder
  std::string listing_dir;           // absolute, short
  std::string listing_dir_relative;  // relative; ".\" for the project folder
  std::string output_name;           // without extension
  // "\"<key>\" \"<value>\"" of each folder or name of the configuration
  // that would leave the project folder and was not used; each build says so.
  std::vector<std::string> refused_names;
  ListingSwitches listing{};  // "OPTLT" of the current configuration

  ToolchainPaths toolchain;
  PreferenceStore preferences;

  // Cleared by StopBuild, possibly while a build runs on another thread.
  std::atomic<int> build_continue{0};
  int error_count = 0;  // of the current translation run
  int warning_count = 0;
  // The build or single-file translation in progress, or the last one.
  BuildProgress build;

  // The running tool, for StopBuild, possibly from a signal handler.
  ProcessControl tool_control;
  uint64_t builds_started = 0;  // the last BuildProgress::serial handed out
  // NextDependency: the include files of one source's object.
  QueryList dependencies;
  // NextIncludeDirectory: the folders the compiler searches.
  QueryList include_directories;

  // Debug driver file path => the settings text the driver returned.
  std::map<std::string, std::string> driver_settings;

  // Records the settings dialog loads and the default configuration resets.
  TargetRecord target;
  OutputRecord output;
  DebugOptionRecord debug{};  // the plug-in's copy of the host's record

  // The configuration name the last uVision 4 import handed to the host;
  // the host reads the text after the entry returns, so it lives here until
  // the next import.
  std::string imported_name;

  // Chinese at load; nothing the host can call changes it.
  Language language = Language::kChinese;

  PluginState();
  ~PluginState();
  PluginState(const PluginState&) = delete;
  PluginState& operator=(const PluginState&) = delete;

  // What builds keep from one to the next (plugin/build_cache.h); only the
  // build sees into it.
  BuildCaches& caches() { return *caches_; }
  const BuildCaches& caches() const { return *caches_; }

 private:
  std::unique_ptr<BuildCaches> caches_;  // never null
};

// The one instance, created at library load.
PluginState& State();

}  // namespace c51

#endif  // C51_PLUGIN_STATE_H_
