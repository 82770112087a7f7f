// An in-memory host for tests: builds project trees in the contract layout
// with memory and a virtual table of its own, fills the host's service
// words, records every service call, and loads a fresh copy of the plug-in
// library so that each test starts from the library's load-time state.
#ifndef C51_TESTS_SUPPORT_FAKE_HOST_H_
#define C51_TESTS_SUPPORT_FAKE_HOST_H_

#include <string>
#include <vector>

#include "entry/plugin_interface.h"
#include "platform/dynamic_library.h"
#include "plugin/host_context.h"
#include "project/debug_record.h"
#include "project/device_record.h"
#include "project/node.h"

namespace c51::test {

// A call the plug-in made to one of the host's services.
struct HostCall {
  std::string service;                // "UpdateNode", "AddChild", "Output", ...
  const ProjectNode* node = nullptr;  // the target or parent, when there is one
  std::vector<std::string> args;      // texts; UpdateNode: "name=value" per attribute
};

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  // ---- The tree (host-owned nodes) ----
  ProjectNode* root() { return root_; }
  // Appends a child element; `name` (may be null) becomes its "Name".
  ProjectNode* Add(ProjectNode* parent, const char* element, const char* name = nullptr);
  // Sets an attribute the way the host would (add or replace). A null value
  // stores an attribute whose value text is null.
  void Set(ProjectNode* node, const char* attribute, const char* value);
  // "Configurations"/"Configuration" with the given name.
  ProjectNode* AddConfiguration(const char* name);
  // The attribute's value; "<missing>" when absent, "<null>" when its value is null.
  static std::string Get(const ProjectNode* node, const char* attribute);
  // The attribute names of a node in ring order.
  static std::vector<std::string> AttributeNames(const ProjectNode* node);
  // Every node and attribute, indented; for comparing whole trees.
  std::string Dump() const;

  // ---- Services ----
  // Fills words 12-19 and 23 of `table` with this host's services.
  void Install(PluginInterface* table);
  std::vector<HostCall> calls;
  // The next AddChild calls return null while this is set.
  bool fail_add_child = false;
  // HostRunCommand's answer and exit code.
  bool run_command_succeeds = true;
  int run_command_exit_code = 0;
  // True when the tree differs from what the services alone made of it:
  // the plug-in then changed a host node in place.
  bool TreeChangedBehindServices() const { return Dump() != expected_dump_; }

  // ---- The context record and what it points to ----
  std::string install_dir;
  std::string project_path;
  std::string debug_driver;
  std::string toolchain_name;
  DebugOptionRecord debug{};
  double clock = 24.0;
  std::vector<std::string> device_properties;
  // A context pointing at the fields above (valid until they change).
  const HostContext* Context();

 private:
  static void Service_SetDriverSetting(const char* key, const char* value);
  static void Service_UpdateNode(ProjectNode* target, ProjectNode* detached);
  static ProjectNode* Service_AddChild(ProjectNode* parent, const char* element, const char* name);
  static int Service_RunCommand(const char* command_line, int a, int b, int c, int* exit_code);
  static void Service_Output(const char* text, int kind);
  static void Service_TranslationDone();
  static void Service_DeviceChanged(void* record);
  void Resync() { expected_dump_ = Dump(); }

  ProjectNode* root_;
  std::string expected_dump_;
  HostContext context_{};
  DeviceRecord device_{};
  std::vector<const char*> property_pointers_;
};

// A fresh copy of the plug-in library, loaded from a temporary folder.
class PluginLibrary {
 public:
  PluginLibrary() = default;
  ~PluginLibrary();
  // Copies the built library next to the test program into a new temporary
  // folder and loads it. False with `err` on failure.
  bool Load(std::string* err);
  PluginInterface* table() const { return table_; }
  const DynamicLibrary& library() const { return library_; }

 private:
  DynamicLibrary library_;
  std::string folder_;
  PluginInterface* table_ = nullptr;
};

// The name of the plug-in library file beside the test programs.
const char* PluginFileName();

}  // namespace c51::test

#endif  // C51_TESTS_SUPPORT_FAKE_HOST_H_
