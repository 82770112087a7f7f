// "show": the tree, each file's effective switches and control string, and
// the linker's control string. A read-only view through the core's option
// code: the plug-in is not loaded and nothing on disk changes.
#include <cstdio>

#include "build/translation.h"
#include "host/commands.h"
#include "host/host_platform.h"
#include "host/project_model.h"
#include "options/a51_control_string.h"
#include "options/c51_control_string.h"
#include "options/linker_control_string.h"
#include "platform/path.h"
#include "project/config_keys.h"
#include "project/device_record.h"
#include "project/key_names.h"
#include "project/node.h"
#include "project/scope_walk.h"
#include "project/scopes.h"
#include "support/path_text.h"
#include "support/split_text.h"

namespace c51::host {
namespace {

const char* KindName(FileKind kind) {
  switch (kind) {
    case FileKind::kCSource:
      return "C source";
    case FileKind::kAssemblySource:
      return "assembly source";
    case FileKind::kObject:
      return "object or library";
    case FileKind::kIgnored:
      break;
  }
  return "not translated";
}

void Print(const std::string& gbk) {
  std::fputs(ToStreamEncoding(gbk, stdout).c_str(), stdout);
}

// A configured folder as the plug-in derives it when it opens the
// configuration: relative to the project folder, ending in "\"; the
// object folder of the project folder itself is "".
std::string RelativeFolder(const std::string& folder, const std::string& project_folder,
                           bool object_folder) {
  std::string full = LexicalFullPath(folder, project_folder, NativePathStyle());
  std::string relative;
  if (!RelativePath(project_folder, full, &relative)) relative = full;
  if (relative.empty() || !IsPathSeparator(relative.back())) relative += '\\';
  if (object_folder && relative == ".\\") relative.clear();
  return relative;
}

void PrintTree(const ProjectNode* root) {
  // Pre-order with an explicit depth: the tree's depth is bounded, but the
  // walk needs no stack either way.
  const ProjectNode* node = root;
  int depth = 0;
  while (node) {
    std::string line(static_cast<size_t>(depth) * 2 + 2, ' ');
    line += std::string(TextView(node->name));
    const NodeAttribute* head = &node->attributes;
    for (const NodeAttribute* a = head->next; a != head; a = a->next)
      line += " " + std::string(TextView(a->name)) + "=\"" + std::string(TextView(a->value)) + "\"";
    Print(line + "\n");
    if (node->first_child) {
      node = node->first_child;
      ++depth;
      continue;
    }
    while (node != root && !node->next_sibling) {
      node = node->parent;
      --depth;
    }
    node = node == root ? nullptr : node->next_sibling;
  }
}

std::string SwitchText(int value, bool effective) {
  return std::string(effective ? "yes" : "no") + " (" + std::to_string(value) + ")";
}

}  // namespace

int CommandShow(Session* session) {
  if (!session->OpenProject()) return kExitUsage;
  std::string config;
  if (!session->ChooseConfiguration(&config)) return kExitUsage;
  ProjectNode* root = session->tree().root();
  const std::string project_folder = session->ProjectFolder();
  const DeviceInfo device = ReadDevice(root);

  Print("project        " + session->project_path() + "\n");
  std::string names;
  for (const std::string& name : ConfigurationNames(root))
    names += (names.empty() ? "\"" : ", \"") + name + "\"";
  Print("configuration  \"" + config + "\" (of " + names + ")\n");
  if (!device.name.empty() || !device.vendor.empty())
    Print("device         " + device.name +
          (device.vendor.empty() ? "" : " (" + device.vendor + ")") + "\n");
  for (const std::string& property : device.properties) Print("               " + property + "\n");

  Print("\ntree:\n");
  PrintTree(root);

  // What the control-string builders read besides the tree.
  ConfigurationRef ref{root, config};
  ProjectNode* configuration = FindCurrentConfiguration(&ref);
  if (!configuration) {
    session->Error("no configuration named \"" + config + "\"");
    return kExitUsage;
  }
  std::vector<const char*> properties;
  for (const std::string& p : device.properties) properties.push_back(p.c_str());
  properties.push_back(nullptr);
  DeviceRecord record{device.vendor.c_str(), device.name.c_str(), 0, properties.data()};
  BuildInputs inputs;
  inputs.configuration = &ref;
  inputs.device = &record;
  ParseListingSwitches(GetAttributeText(configuration, keys::kListingSwitches), &inputs.listing);
  const char* output_dir = GetAttributeText(configuration, keys::kOutputDirectory);
  const char* listing_dir = GetAttributeText(configuration, keys::kListingDirectory);
  const char* output_name = GetAttributeText(configuration, keys::kOutputName);
  inputs.object_dir =
      RelativeFolder(output_dir ? output_dir : DefaultConfigFolder(config), project_folder, true);
  inputs.listing_dir = RelativeFolder(listing_dir ? listing_dir : DefaultConfigFolder(config),
                                      project_folder, false);
  inputs.output_name = output_name
                           ? output_name
                           : std::string(FileTitle(session->project_path(), PathBreak::kSlash));

  Print("\nfiles (configuration \"" + config + "\"):\n");
  for (ProjectNode* file : ProjectFiles(root)) {
    const char* relative = GetAttributeText(file, keys::kRelativePath);
    if (!relative) continue;
    FileKind kind = KindOfFile(relative);
    FileSwitches switches = ResolveFileSwitches(file, &ref);
    Print("  " + std::string(relative) + "  [" + KindName(kind) + "]\n");
    if (kind == FileKind::kIgnored) continue;
    Print("    included " + SwitchText(switches.inc_bld, switches.included()));
    if (kind == FileKind::kCSource) {
      Print(", assembly source " + SwitchText(switches.gen_asm, switches.generates_asm()) +
            ", assembled " + SwitchText(switches.asm_asm, switches.assembles_asm()));
    }
    Print("\n");
    if (kind == FileKind::kCSource) {
      Print("    C51: " + BuildC51ControlString(file, inputs) + "\n");
      if (switches.generates_asm() && switches.assembles_asm())
        Print("    A51 (generated source): " + BuildGeneratedAsmControlString(&ref) + "\n");
    } else if (kind == FileKind::kAssemblySource) {
      Print("    A51: " + BuildA51ControlString(file, inputs) + "\n");
    }
  }

  Print("\nlinker:\n");
  std::string linker = BuildLinkerControlString(&ref, &record);
  for (const std::string& line : SplitAtSeparators(linker, "\n")) Print("  " + line + "\n");
  return kExitSuccess;
}

}  // namespace c51::host
