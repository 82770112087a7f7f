#include "build/build_queries.h"

#include "build/command_record.h"

#include <cstring>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "build/command_record.h"
#include "build/dependency_log.h"
#include "build/object_head.h"
#include "build/tool_environment.h"
#include "build/translation.h"
#include "options/option_text.h"
#include "platform/ascii_case.h"
#include "platform/dir_list.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "project/device_record.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {
namespace {

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && IsPathSeparator(path.back());
}

// Windows names compare ignoring case, POSIX names exactly; separators
// compare alike either way.
bool SameByte(char a, char b) {
  if (IsPathSeparator(a) && IsPathSeparator(b)) return true;
  if (NativePathStyle() == PathStyle::kWindows) return ToUpperAscii(a) == ToUpperAscii(b);
  return a == b;
}

// True when `name` lies inside the folder `dir` (given without a trailing
// separator): "C:\p\inc\a.h" is inside "C:\p", "C:\p2\a.h" is not.
bool InsideFolder(std::string_view name, const std::string& dir) {
  if (dir.empty() || name.size() <= dir.size()) return false;
  for (size_t i = 0; i < dir.size(); ++i) {
    if (!SameByte(name[i], dir[i])) return false;
  }
  return IsPathSeparator(name[dir.size()]) || IsPathSeparator(dir.back());
}

// Copies at most `size` - 1 bytes and a NUL. False when there is no room
// for even the NUL.
bool CopyOut(const std::string& text, char* buffer, int size) {
  if (buffer == nullptr || size < 1) return false;
  const size_t n = text.size() < static_cast<size_t>(size) - 1 ? text.size() : size - 1;
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return true;
}

int HandOut(QueryList* list, char* buffer, int size) {
  if (list->position >= list->entries.size()) return 0;
  if (!CopyOut(list->entries[list->position], buffer, size)) return 0;
  ++list->position;
  return 1;
}

void DeleteObjectsOfTree(const ProjectNode* files, const std::string& dir) {
  // Breadth first: groups are visited in the order they are met, and deep
  // nesting costs heap, not stack.
  std::deque<const ProjectNode*> groups = {files};
  while (!groups.empty()) {
    const ProjectNode* group = groups.front();
    groups.pop_front();
    for (const ProjectNode* node = group->first_child; node; node = node->next_sibling) {
      if (TextEquals(node->name, keys::kFile)) {
        if (const char* path = GetAttributeText(node, keys::kRelativePath)) {
          RemoveFile(dir + std::string(FileTitle(path, PathBreak::kSlashOrDrive)) + ".obj");
        }
      } else if (TextEquals(node->name, keys::kFilter) &&
                 GetAttributeText(node, keys::kName) != nullptr) {
        groups.push_back(node);
      }
    }
  }
}

}  // namespace

void CleanTarget(PluginState* state) {
  if (state->configuration.root == nullptr || state->output_dir.empty()) return;
  // Relative folders are the project folder's; the process's current
  // folder may have moved since the configuration was opened.
  std::string dir =
      state->output_dir_relative.empty()
          ? state->project_dir
          : LexicalFullPath(state->output_dir_relative, state->project_dir, NativePathStyle());
  if (!IsDirectory(dir)) dir = state->output_dir;
  if (!EndsWithSeparator(dir)) dir.push_back(NativePathStyle() == PathStyle::kWindows ? '\\' : '/');

  const std::string& output_name = state->output_name;
  const size_t dot = output_name.rfind('.');
  const std::string stem = output_name.substr(0, dot);
  for (const char* extension : {".lnp", ".M51", ".hex", ""}) RemoveFile(dir + stem + extension);
  RemoveFile(dir + CommandRecord::kFileName);
  RemoveFile(dir + kDependencyLogName);
  RemoveFile(dir + kDependencyLogName + ".tmp");
  // The program as the linker named it, also when its name has an
  // extension.
  RemoveFile(dir + output_name);

  if (const ProjectNode* files = FirstChildNamed(state->configuration.root, keys::kFiles)) {
    DeleteObjectsOfTree(files, dir);
  }
}

int NextDependency(PluginState* state, const char* source, char* buffer, int size, int first) {
  QueryList& list = state->dependencies;
  if (first) {
    list = QueryList();
    if (state->configuration.root == nullptr || state->output_dir.empty() || source == nullptr) {
      return 0;
    }
    ObjectHead head;
    ReadObjectHead(
        state->output_dir + std::string(FileTitle(source, PathBreak::kSlashOrDrive)) + ".obj",
        &head);
    if (head.status == InputFile::Status::kNotFound) return 0;
    for (std::string_view include : head.record.includes) list.entries.emplace_back(include);
  }
  if (list.position >= list.entries.size()) return 0;
  std::string& entry = list.entries[list.position];
  // The tools record a header as the source spelled it; the host wants the
  // file it can open, also where names compare exactly.
  entry = OnDiskSpelling(entry);
  if (InsideFolder(entry, state->project_dir)) entry.erase(0, state->project_dir.size());
  return HandOut(&list, buffer, size);
}

int NextIncludeDirectory(PluginState* state, char* buffer, int size, int first) {
  QueryList& list = state->include_directories;
  if (first) {
    list = QueryList();
    const ProjectNode* config = FindCurrentConfiguration(&state->configuration);
    if (config == nullptr) return 0;
    const std::string& include_dir = state->toolchain.include_dir;
    if (!include_dir.empty()) list.entries.push_back(include_dir);
    const std::string subdirectory =
        IncludeSubdirectory(FindDeviceProperty(state->context.device, "REGFILE"));
    if (!subdirectory.empty()) list.entries.push_back(include_dir + subdirectory + "\\");
    const char* incc5 = GetAttributeText(FindToolNode(config, keys::kC51Tool), keys::kC51Include);
    // Every piece ended by ";" counts, an empty one too.
    const std::string paths = std::string(incc5 ? incc5 : "") + ";";
    size_t start = 0;
    for (size_t end = paths.find(';'); end != std::string::npos; end = paths.find(';', start)) {
      list.entries.push_back(paths.substr(start, end - start));
      start = end + 1;
    }
  }
  return HandOut(&list, buffer, size);
}

}  // namespace c51
