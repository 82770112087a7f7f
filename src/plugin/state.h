// The plug-in's process-wide state: one project, one current
// configuration, the folders derived from it, the located toolchain, the
// build flags and counters. Entries receive it as a pointer so that the
// logic below the entry table can be tested on a state of its own.
#ifndef C51_PLUGIN_STATE_H_
#define C51_PLUGIN_STATE_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "build/command_record.h"
#include "build/translation.h"
#include "platform/fs.h"
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

// Hashes std::string and std::string_view alike, so that a map keyed by
// std::string can be searched with a view into a buffer without a copy.
struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

// An include file that some object's record named.
struct IncludeFile {
  std::string path;
  int64_t time = 0;        // as last looked up; 0: missing
  uint64_t looked_up = 0;  // the build (BuildProgress::serial) that looked; 0: none
};

// Every include file any record named, numbered in the order first met:
// records hold numbers, and a build looks each file up once however many
// objects name it.
struct IncludeTable {
  std::unordered_map<std::string, uint32_t, TextHash, std::equal_to<>> numbers;
  std::vector<IncludeFile> files;
};

// What an object file's dependency record said when it was last read.
struct ObjectRecord {
  FileStamp stamp;  // the object's time and size then
  bool truncated = false;
  std::vector<uint32_t> includes;  // numbers in the IncludeTable
};

// Object path => its record. Kept across builds: an object whose time and
// size are unchanged holds the same record, so an up-to-date build reads
// each record once per process rather than once per build. Entries are
// never removed (one whose object is gone holds a zero time), so that a
// pointer to one stays valid.
using ObjectRecordCache = std::unordered_map<std::string, ObjectRecord, TextHash, std::equal_to<>>;

// One "File" node as the build walks it. What is derived from its
// "RelativePath" and the project's folders is kept from one build to the
// next by the file's place in the walk: deriving it afresh cost an
// up-to-date build of many files more than asking the disk about them.
struct WalkedFile {
  const ProjectNode* node = nullptr;  // the names below are derived for it; null: none yet
  std::string relative;               // its "RelativePath" then
  FileKind kind = FileKind::kIgnored;
  std::string absolute;     // the project folder combined with "RelativePath"
  std::string title;        // the name without folder and extension
  std::string name;         // the name with its extension, for messages
  std::string object;       // object folder (relative) + title + ".obj", or the file itself
  std::string object_path;  // object folder (absolute) + title + ".obj"
  // The name the command record keeps for the object (the title in lower
  // case + ".obj"), and hashes of the texts its fingerprint takes in.
  std::string record_name;
  uint64_t relative_hash = 0;
  uint64_t title_hash = 0;
  // Where the object's record and its command fingerprint are kept, found
  // once instead of looked up by name in every build: the record cache
  // never drops an entry, and the fingerprint's place holds while the
  // command record's generation is `commands_generation`.
  ObjectRecord* record = nullptr;
  const uint64_t* command_slot = nullptr;
  uint64_t commands_generation = 0;
  // Set for each translation: the compiler's or assembler's control string
  // and the fingerprint of the commands that make the object.
  std::string controls;
  uint64_t fingerprint = 0;
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

  ObjectRecordCache object_records;
  // The commands the outputs in the object folder were made with; kept
  // across builds and read again only when its file changed.
  CommandRecord commands;
  // The last tool run's captured text (RunTool hands out a view of it); its
  // memory is reused by the next run.
  ProcessResult tool_capture;
  // The running tool, for StopBuild, possibly from a signal handler.
  ProcessControl tool_control;
  IncludeTable include_files;
  // The files of the last walk, in walk order, and the folders (project,
  // object folder absolute and relative) their names were derived with.
  std::deque<WalkedFile> walked_files;
  std::string walked_folders;
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
};

// The one instance, created at library load.
PluginState& State();

}  // namespace c51

#endif  // C51_PLUGIN_STATE_H_
