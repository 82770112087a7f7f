// Commands that make or change a project: new, add, import.
#include <cstdio>
#include <string>
#include <unordered_map>

#include "host/commands.h"
#include "host/devices_command.h"
#include "host/host_platform.h"
#include "host/import_extras.h"
#include "host/import_paths.h"
#include "host/project_file.h"
#include "host/project_model.h"
#include "host/uvision_device.h"
#include "host/uvproj_exclusions.h"
#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "project/key_names.h"
#include "support/path_text.h"

namespace c51::host {
namespace {

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// `path` with ASCII letters in lower case and "/" for a backslash: every spelling
// of one file folds to the same text (and some spellings of others too).
std::string FoldedPath(const std::string& path) {
  std::string folded = path;
  for (char& c : folded) c = c == '\\' ? '/' : ToLowerAscii(c);
  return folded;
}

// Equal but for ASCII letter case and separators, a character of the
// local (double-byte) code page taken whole: its trail byte may look like
// a letter or a backslash.
bool EqualAsWindowsNames(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (static_cast<unsigned char>(a[i]) >= 0x80) {
      if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
      ++i;
    } else if (!(IsPathSeparator(a[i]) && IsPathSeparator(b[i])) &&
               ToLowerAscii(a[i]) != ToLowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// Two full paths whose folded texts are equal. Windows takes any letter
// case; elsewhere the disk tells: a name is found in another case only
// when the exact one is missing, so two files that differ in case both
// stay, and two spellings of one file are one.
bool SameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  if (NativePathStyle() == PathStyle::kWindows) return EqualAsWindowsNames(a, b);
  return OnDiskSpelling(a) == OnDiskSpelling(b);
}

// The files of a project, found by their folded full path: adding files
// one by one to a large project must not compare each with every other.
class FileSet {
 public:
  // False when `path` (a full path) is a file of the set already; else
  // adds it.
  bool Insert(const std::string& path) {
    std::string folded = FoldedPath(path);
    const auto [first, last] = files_.equal_range(folded);
    for (auto it = first; it != last; ++it) {
      if (SameFile(it->second, path)) return false;
    }
    files_.emplace(std::move(folded), path);
    return true;
  }

 private:
  std::unordered_multimap<std::string, std::string> files_;
};

// False (reported) when `path` exists and --force was not given.
bool MayWrite(Session* session, const std::string& path) {
  if (!PathExists(path) || session->command().Has("force")) return true;
  session->Error(path + " exists; use --force to replace it");
  return false;
}

}  // namespace

int CommandNew(Session* session) {
  const ParsedCommand& command = session->command();
  const std::string path = FullPath(command.arguments.front());
  if (!MayWrite(session, path)) return kExitUsage;
  const std::string config = command.Value("config", "Target 1");
  if (config.empty()) {
    session->Error("the configuration needs a name");
    return kExitUsage;
  }

  session->NewProject(path);
  HostTree& tree = session->tree();
  ProjectNode* root = tree.root();
  tree.SetAttribute(root, keys::kName, std::string(FileTitle(path, PathBreak::kSlash)));
  SetActiveConfiguration(&tree, config);
  ProjectNode* configuration = tree.AddChild(tree.AppendChild(root, keys::kConfigurations),
                                             keys::kConfiguration, config.c_str());
  FilesNode(&tree);
  DeviceInfo device;
  device.name = command.Value("device");
  device.vendor = command.Value("vendor");
  if (!command.Value("cpu").empty()) device.properties.push_back("CPU=" + command.Value("cpu"));
  // A device given by name alone is one of the database's; with a vendor
  // or a CPU text it is the user's own, taken as written.
  if (!device.name.empty() && device.vendor.empty() && device.properties.empty()) {
    std::string error;
    if (!DeviceFromDatabase(device.name, &device, &error)) {
      session->Error(error);
      return kExitUsage;
    }
  }
  if (!device.name.empty() || !device.vendor.empty() || !device.properties.empty())
    WriteDevice(&tree, device);
  session->plugin().set_device(device);
  if (!configuration) {
    session->Error("out of memory");
    return kExitUsage;
  }

  if (!session->LoadPlugin()) return kExitUsage;
  session->plugin().table()->CreateDefaultConfiguration(configuration);
  if (!session->Save()) return kExitUsage;
  PrintText(stdout, "created " + path + " with the configuration \"" + config + "\"\n");
  return kExitSuccess;
}

int CommandAdd(Session* session) {
  const ParsedCommand& command = session->command();
  // Argument paths are relative to where the user stands: resolve them
  // before anything changes the current folder.
  std::vector<std::string> paths;
  for (const std::string& argument : command.arguments) {
    std::string path = FullPath(argument);
    if (!PathExists(path) || IsDirectory(path)) {
      session->Error(argument + ": no such file");
      return kExitUsage;
    }
    // The tools take the name between double quotes on their command lines.
    if (path.find('"') != std::string::npos) {
      session->Error(argument + ": a source name cannot hold a double quote");
      return kExitUsage;
    }
    paths.push_back(path);
  }
  if (!session->OpenProject(/*for_change=*/true)) return kExitUsage;
  HostTree& tree = session->tree();
  const std::string folder = session->ProjectFolder();
  const std::string group = command.Value("group");
  ProjectNode* parent = group.empty() ? FilesNode(&tree) : FindOrAddGroup(&tree, group);
  if (!parent) {
    session->Error("cannot make the group \"" + group + "\"");
    return kExitUsage;
  }
  FileSet present;
  for (ProjectNode* file : ProjectFiles(tree.root()))
    present.Insert(AbsoluteFilePath(file, folder));
  for (const std::string& path : paths) {
    if (!present.Insert(path)) {
      session->Warning(path + " is in the project already");
      continue;
    }
    // Paths in the tree are relative to the project folder, written the
    // way the plug-in writes them (".\src\main.c"); a file on another
    // drive keeps its absolute path.
    std::string relative;
    if (!RelativePath(folder, path, &relative)) relative = path;
    ProjectNode* file = tree.AddChild(parent, keys::kFile, nullptr);
    if (!file || !tree.SetAttribute(file, keys::kRelativePath, relative)) {
      session->Error("out of memory");
      return kExitUsage;
    }
    PrintText(stdout, "added " + relative + "\n");
  }
  return session->SaveIfModified() ? kExitSuccess : kExitUsage;
}

namespace {

// The copies of a uvprojx project and its uvoptx options under the names
// uvproj and uvopt, in a folder of their own that goes with this object.
class TemporaryCopies {
 public:
  TemporaryCopies() = default;
  TemporaryCopies(const TemporaryCopies&) = delete;
  TemporaryCopies& operator=(const TemporaryCopies&) = delete;
  ~TemporaryCopies() {
    if (!folder_.empty()) RemoveTree(folder_);
  }

  // The copy of the project; empty when it cannot be made. A missing
  // options file stays missing.
  std::string Make(const std::string& uvprojx) {
    folder_ = MakeTempDirectory("c51import");
    if (folder_.empty()) return std::string();
    const std::string title(FileTitle(uvprojx, PathBreak::kSlash));
    const std::string project = folder_ + title + ".uvproj";
    std::string data, err;
    if (ReadWholeFile(uvprojx, &data, &err) != ReadStatus::kOkay ||
        !WriteWholeFile(project, data, &err)) {
      return std::string();
    }
    const std::string options = uvprojx.substr(0, uvprojx.size() - 4) + "optx";
    if (ReadWholeFile(options, &data, &err) == ReadStatus::kOkay)
      WriteWholeFile(folder_ + title + ".uvopt", data, &err);
    return project;
  }

 private:
  std::string folder_;
};

}  // namespace

int CommandImport(Session* session) {
  const ParsedCommand& command = session->command();
  const std::string source = FullPath(command.arguments.front());
  if (!PathExists(source)) {
    session->Error(command.arguments.front() + ": no such file");
    return kExitUsage;
  }
  std::vector<UvisionTarget> targets;
  std::string err;
  if (!ReadUvisionTargets(source, &targets, &err)) {
    session->Error(err);
    return kExitUsage;
  }
  std::string output = command.Value("output");
  output = output.empty()
               ? FolderOf(source) + std::string(FileTitle(source, PathBreak::kSlash)) + ".cvproj"
               : FullPath(output);
  if (!MayWrite(session, output)) return kExitUsage;
  if (FolderOf(output) != FolderOf(source)) {
    session->Warning(
        "the project's file paths stay relative to the uVision project's folder; keep the "
        "project file beside it or move the sources along");
  }

  session->NewProject(output);
  HostTree& tree = session->tree();
  tree.SetAttribute(tree.root(), keys::kName, std::string(FileTitle(output, PathBreak::kSlash)));
  // The first target's device is in force while the import applies the
  // default configuration (its clock becomes "SIMCLK").
  const UvisionTarget* first = PickTarget(targets, "");
  session->plugin().set_device(first ? first->device : DeviceInfo{});
  if (!session->LoadPlugin()) return kExitUsage;

  // A later uVision writes a project for an 8051 target in the same XML
  // under another extension (uvprojx, its options uvoptx), which the
  // plug-in's import does not take: it reads copies named as it expects.
  // The paths the project holds are relative to its folder and are stored
  // as written, so the copies' folder does not show.
  std::string import_path = source;
  TemporaryCopies copies;
  if (LowerExtension(source) == "uvprojx") {
    import_path = copies.Make(source);
    if (import_path.empty()) {
      session->Error("cannot copy " + source + " to a temporary folder");
      return kExitUsage;
    }
  }
  DiagnosticsListener listener;
  if (!listener.Start(&err)) session->Warning(err + "; import diagnostics will not be shown");
  intptr_t result = session->plugin().table()->ImportProject(tree.root(), import_path.c_str());
  for (const std::string& line : listener.TakeLines()) {
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", ToStreamEncoding(line, stderr).c_str());
    // Repositories seldom keep the options file; its check line reads like
    // a fault of ours, so say what its absence means.
    constexpr std::string_view kNoOptions = "xml.Load(uvopt)";
    if (line.size() >= kNoOptions.size() &&
        std::string_view(line).substr(line.size() - kNoOptions.size()) == kNoOptions) {
      session->Note(
          "the uVision options file (.uvopt) beside the project was not read; it only names "
          "the target selected last, so the first target is current");
    }
  }
  session->output().Flush();
  if (result == 0) {
    session->Error("the import of " + source + " failed; nothing was written");
    return kExitUsage;
  }
  // The text stays valid until the next import; copy it now.
  std::string current = reinterpret_cast<const char*>(result);

  std::string chosen;
  if (!ChooseConfiguration(tree.root(), current, &chosen, &err) &&
      !ChooseConfiguration(tree.root(), "", &chosen, &err)) {
    session->Error("the import made no configuration; nothing was written");
    return kExitUsage;
  }
  // What the plug-in leaves out: the device (the host's own record) and
  // the values the settings dialog takes.
  const bool host_part = !command.Has("plugin-only");
  if (const UvisionTarget* target = PickTarget(targets, chosen); target && host_part) {
    const DeviceInfo& device = target->device;
    if (!device.name.empty() || !device.vendor.empty() || !device.properties.empty()) {
      WriteDevice(&tree, device);
      PrintText(stdout, "taken: device " + (device.name.empty() ? "(no name)" : device.name) +
                            (device.vendor.empty() ? "" : " (" + device.vendor + ")") + "\n");
    }
    session->plugin().set_device(device);
  }
  SetActiveConfiguration(&tree, chosen);
  session->plugin().SendContext();
  if (host_part && LowerExtension(source) != "uv2") {
    std::string data, why;
    std::vector<UvprojExclusion> exclusions;
    if (ReadWholeFile(source, &data, &why) == ReadStatus::kOkay &&
        ParseUvprojExclusions(data, &exclusions, &why)) {
      for (const UvprojExclusion& e : ApplyLaterTargetsExclusions(&tree, exclusions)) {
        PrintText(stdout, "taken into \"" + e.target + "\": left out of the build: " +
                              (e.file.empty() ? "group " + e.group : e.file) + "\n");
      }
    }
  }
  if (host_part) {
    for (const MendedFile& file : MendAuthorsPaths(&tree, session->ProjectFolder())) {
      if (file.found.empty()) {
        session->Warning("left out of the build: " + file.written +
                         (file.kernel ? " (the task kernel's configuration, not there; the "
                                        "toolchain's kernel runs with its defaults)"
                                      : " (a start-up file that is not there; the toolchain's "
                                        "own start-up code stands in)"));
      } else {
        PrintText(stdout, "taken: file " + file.written + " as " + file.found + "\n");
      }
    }
    if (!TakeImportExtras(session, source, chosen)) return kExitUsage;
    const bool uv2 = LowerExtension(source) == "uv2";
    PrintText(stdout, std::string(uv2 ? kStillLeftOutUv2 : kStillLeftOut) + "\n");
  }
  session->plugin().table()->OpenConfiguration(tree.root(), chosen.c_str());
  session->SyncContext();
  if (!session->Save()) return kExitUsage;
  PrintText(stdout, "imported " + source + " into " + output + "; active configuration \"" +
                        chosen + "\"\n");
  return kExitSuccess;
}

}  // namespace c51::host
