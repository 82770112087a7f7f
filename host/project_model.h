// What the host itself keeps in the project tree, beside the plug-in's
// configurations and files, and the lookups its commands share.
//
// Host-owned parts of the tree (the plug-in never looks at them):
//   root attribute "ActiveConfiguration": the configuration the commands
//     open when no --config is given;
//   root child "Device" ("Vendor", "Name") with "Property" children
//     ("Text" = "key=value"): the selected device (HostContext word 6);
//   root child "DriverSettings" with "Setting" children ("Key", "Value"):
//     what HostSetDriverSetting stored, handed back to the plug-in through
//     SetDriverSetting when a project is opened.
#ifndef C51_HOST_PROJECT_MODEL_H_
#define C51_HOST_PROJECT_MODEL_H_

#include <string>
#include <utility>
#include <vector>

#include "host/host_tree.h"

namespace c51::host {

struct DeviceInfo {
  std::string vendor;
  std::string name;
  std::vector<std::string> properties;  // "key=value", e.g. "CPU=IRAM(0-0xFF) ..."
};

// The crystal clock in MHz from the "CPU" property's "CLOCK(n)" (n in
// hertz, read with the C "%i" rules); 0 when there is none:
//   "IRAM(0-0xFF) CLOCK(24000000)" => 24.0;  "CLOCK(0xB71B00)" => 12.0
double DeviceClockMhz(const DeviceInfo& device);

DeviceInfo ReadDevice(const ProjectNode* root);
// Replaces the root's "Device" child (kept at its place when it exists).
void WriteDevice(HostTree* tree, const DeviceInfo& device);

std::string ActiveConfiguration(const ProjectNode* root);
void SetActiveConfiguration(HostTree* tree, const std::string& name);

// "Name" of every "Configuration" under the first "Configurations", in
// order; configurations without a name are left out.
std::vector<std::string> ConfigurationNames(const ProjectNode* root);

// The configuration a command works on: `requested` when given (false
// with `err` when no configuration has that name), else the active one
// when it still exists, else the first. False with `err` when the project
// has no configuration.
bool ChooseConfiguration(const ProjectNode* root, const std::string& requested, std::string* name,
                         std::string* err);

std::vector<std::pair<std::string, std::string>> ReadDriverSettings(const ProjectNode* root);
void StoreDriverSetting(HostTree* tree, const std::string& key, const std::string& value);

// Every "File" under "Files" in document order, descending into every
// "Filter" that has a "Name" (as the build walks the tree).
std::vector<ProjectNode*> ProjectFiles(const ProjectNode* root);

// The "Files" node, made when missing.
ProjectNode* FilesNode(HostTree* tree);
// The group with this "/"-separated path of names under "Files", made
// where missing: "App/Drivers" => Filter "App" / Filter "Drivers".
ProjectNode* FindOrAddGroup(HostTree* tree, const std::string& path);
// The same without making anything; null when a group is missing.
ProjectNode* FindGroup(HostTree* tree, const std::string& path);

// Leaves a group ("FilterConfiguration" as `scope`) or a file
// ("FileConfiguration") out of configuration `config`'s build: its scope
// node of that name, made when missing, gets "IncBld" 0.
void LeaveOutOfBuild(HostTree* tree, ProjectNode* node, const char* scope,
                     const std::string& config);

// The absolute path of a file node's "RelativePath" against the project
// folder; empty without "RelativePath".
std::string AbsoluteFilePath(const ProjectNode* file, const std::string& project_folder);

}  // namespace c51::host

#endif  // C51_HOST_PROJECT_MODEL_H_
