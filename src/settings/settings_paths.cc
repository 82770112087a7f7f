#include "settings/settings_paths.h"

#include "platform/fs.h"
#include "platform/path.h"
#include "support/path_text.h"

namespace c51::settings {
namespace {

size_t LastSeparator(const std::string& path) {
  return path.find_last_of("\\/:");
}

}  // namespace

std::string DirectoryWithoutSeparator(const std::string& path) {
  if (path.empty()) return std::string();
  size_t at = LastSeparator(path);
  if (at == std::string::npos) return ".";
  // A root keeps its separator: "\" alone, or after a drive colon.
  bool root = path[at] != ':' && (at == 0 || path[at - 1] == ':');
  return path.substr(0, root || path[at] == ':' ? at + 1 : at);
}

std::string RelativePathOrSame(const std::string& from_dir, const std::string& to) {
  std::string relative;
  return RelativePath(from_dir, to, &relative) ? relative : to;
}

std::string AbsolutePathIn(const std::string& folder, const std::string& path) {
  if (IsAbsolutePath(path)) return path;
  // Resolved against the folder itself rather than whatever the current
  // folder turns out to be: changing it fails for a folder that is gone.
  std::string base = FullPath(folder);
  ChangeCurrentDirectory(base);
  return LexicalFullPath(path, base, NativePathStyle());
}

std::string ProjectRelativeFolder(const std::string& project_path, const std::string& folder) {
  std::string text = RelativePathOrSame(DirectoryWithoutSeparator(project_path), folder);
  if (!text.empty() && !IsPathSeparator(text.back())) text += '\\';
  return text;
}

}  // namespace c51::settings
