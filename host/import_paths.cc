#include "host/import_paths.h"

#include <string_view>

#include "host/existing_files.h"
#include "host/project_model.h"
#include "platform/ascii_case.h"
#include "platform/path.h"
#include "project/key_names.h"
#include "project/node.h"

namespace c51::host {
namespace {

// How many folders above the project's are searched.
constexpr int kLevelsUp = 2;

// "C:\x", "c:/x" or "\\server\x": a path of a Windows machine.
bool IsWindowsAbsolute(std::string_view path) {
  if (path.size() >= 3 &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
      path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
    return true;
  }
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

// The names of the path's folders and file, without the drive or server.
std::vector<std::string> Parts(std::string_view path) {
  std::vector<std::string> parts;
  size_t start = path.size() >= 2 && path[1] == ':' ? 2 : 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The start-up file uVision copies into a new project ("STARTUP.A51"), or
// the tool installation's ("...\C51\LIB\STARTUP.A51").
bool IsStartup(const std::vector<std::string>& parts) {
  return !parts.empty() && EqualsIgnoringCase(parts.back(), "STARTUP.A51");
}

// The task kernel's configuration, copied from the installation the same way.
bool IsKernelConfiguration(const std::vector<std::string>& parts) {
  return !parts.empty() && EqualsIgnoringCase(parts.back(), "CONF_TNY.A51");
}

bool IsInstallationCopy(const std::vector<std::string>& parts) {
  return IsStartup(parts) || IsKernelConfiguration(parts);
}

void LeaveOutEverywhere(HostTree* tree, ProjectNode* file) {
  for (const std::string& name : ConfigurationNames(tree->root()))
    LeaveOutOfBuild(tree, file, keys::kFileConfiguration, name);
}

}  // namespace

std::vector<MendedFile> MendAuthorsPaths(HostTree* tree, const std::string& project_folder) {
  std::vector<MendedFile> mended;
  ExistingFiles existing;
  const PathStyle style = NativePathStyle();
  for (ProjectNode* file : ProjectFiles(tree->root())) {
    const char* written = GetAttributeText(file, keys::kRelativePath);
    if (!written) continue;
    const std::string absolute = AbsoluteFilePath(file, project_folder);
    if (absolute.empty() || existing.Exists(absolute)) continue;
    const std::vector<std::string> parts = Parts(written);
    // Repositories often leave out the start-up file their project names.
    if (!IsWindowsAbsolute(written)) {
      if (IsInstallationCopy(parts)) {
        mended.push_back({written, std::string(), IsKernelConfiguration(parts)});
        LeaveOutEverywhere(tree, file);
      }
      continue;
    }
    std::string found;
    // The longest tail first, the nearest folder first; a bare name only in
    // the project's own folder, where it cannot be another project's file.
    for (size_t tail = parts.size() > 1 ? parts.size() - 1 : 1; tail >= 1 && found.empty();
         --tail) {
      std::string rest;
      for (size_t i = parts.size() - tail; i < parts.size(); ++i) {
        rest += (rest.empty() ? "" : "\\") + parts[i];
      }
      for (int up = 0; up <= (tail > 1 ? kLevelsUp : 0) && found.empty(); ++up) {
        std::string candidate = up == 0 ? ".\\" : "";
        for (int i = 0; i < up; ++i) candidate += "..\\";
        candidate += rest;
        if (existing.Exists(LexicalFullPath(candidate, project_folder, style))) found = candidate;
      }
    }
    if (!found.empty()) {
      mended.push_back({written, found});
      tree->SetAttribute(file, keys::kRelativePath, std::string_view(found));
    } else if (IsInstallationCopy(parts)) {
      mended.push_back({written, std::string(), IsKernelConfiguration(parts)});
      LeaveOutEverywhere(tree, file);
    }
  }
  return mended;
}

}  // namespace c51::host
