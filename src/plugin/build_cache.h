// What builds keep in the process from one to the next: the dependency
// records read from object files, the include files they name, the names
// derived for each file of the last walk, the command record and the
// capture buffer of the tool runs. The plug-in state holds one BuildCaches;
// only the build includes this header, so the state's other users neither
// see nor depend on the build's types.
#ifndef C51_PLUGIN_BUILD_CACHE_H_
#define C51_PLUGIN_BUILD_CACHE_H_

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "build/command_record.h"
#include "build/translation.h"
#include "platform/fs.h"
#include "platform/process.h"

namespace c51 {

struct ProjectNode;

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

struct BuildCaches {
  ObjectRecordCache object_records;
  // The commands the outputs in the object folder were made with; kept
  // across builds and read again only when its file changed.
  CommandRecord commands;
  // The last tool run's captured text (RunTool hands out a view of it); its
  // memory is reused by the next run.
  ProcessResult tool_capture;
  IncludeTable include_files;
  // The files of the last walk, in walk order, and the folders (project,
  // object folder absolute and relative) their names were derived with.
  std::deque<WalkedFile> walked_files;
  std::string walked_folders;
};

}  // namespace c51

#endif  // C51_PLUGIN_BUILD_CACHE_H_
