#include "support/fake_host.h"

#include <cstdlib>
#include <cstring>

#include "platform/fs.h"

namespace c51::test {
namespace {

FakeHost* g_current = nullptr;

// Host memory comes from malloc, the plug-in's from new: a plug-in that
// freed a host node or text would trip the sanitizer's mismatch check.
void HostAssign(NodeText* text, const char* value) {
  std::free(text->data);
  *text = NodeText{};
  if (!value) return;
  size_t length = std::strlen(value);
  text->data = static_cast<char*>(std::malloc(length + 1));
  std::memcpy(text->data, value, length + 1);
  text->size = static_cast<uint32_t>(length + 1);
  text->length = static_cast<uint32_t>(length);
}

void C51_THISCALL HostDestroy(ProjectNode* self, int flags) {
  NodeAttribute* head = &self->attributes;
  for (NodeAttribute* entry = head->next; entry != head;) {
    NodeAttribute* next = entry->next;
    std::free(entry->name.data);
    std::free(entry->value.data);
    std::free(entry);
    entry = next;
  }
  for (ProjectNode* child = self->first_child; child;) {
    ProjectNode* next = child->next_sibling;
    child->vtable->destroy(child, 1);
    child = next;
  }
  std::free(self->name.data);
  if (flags & 1) std::free(self);
}

const NodeVTable kHostVTable = {HostDestroy};

ProjectNode* NewHostNode(const char* element) {
  auto* node = static_cast<ProjectNode*>(std::calloc(1, sizeof(ProjectNode)));
  node->vtable = &kHostVTable;
  HostAssign(&node->name, element);
  // Words the plug-in must never read hold values that would crash it.
  node->reserved0 = 0xDEADBEEF;
  node->reserved1 = 0xDEADBEEF;
  node->reserved2 = 0xDEADBEEF;
  node->attributes.prev = node->attributes.next = &node->attributes;
  return node;
}

std::string TextOf(const NodeText& text) {
  return text.data ? text.data : "<null>";
}

void DumpNode(const ProjectNode* node, int depth, std::string* out) {
  out->append(static_cast<size_t>(depth) * 2, ' ');
  out->append(TextOf(node->name));
  for (const NodeAttribute* a = node->attributes.next; a != &node->attributes; a = a->next)
    out->append(" " + TextOf(a->name) + "=\"" + TextOf(a->value) + "\"");
  out->push_back('\n');
  for (const ProjectNode* child = node->first_child; child; child = child->next_sibling)
    DumpNode(child, depth + 1, out);
}

}  // namespace

FakeHost::FakeHost() : root_(NewHostNode("CorvaneProject")) {
  Set(root_, "Name", "proj");
  project_path = "proj.cvproj";
  Resync();
}

FakeHost::~FakeHost() {
  root_->vtable->destroy(root_, 1);
  if (g_current == this) g_current = nullptr;
}

ProjectNode* FakeHost::Add(ProjectNode* parent, const char* element, const char* name) {
  ProjectNode* node = NewHostNode(element);
  node->parent = parent;
  ProjectNode** link = &parent->first_child;
  while (*link) link = &(*link)->next_sibling;
  *link = node;
  if (name) Set(node, "Name", name);
  Resync();
  return node;
}

void FakeHost::Set(ProjectNode* node, const char* attribute, const char* value) {
  NodeAttribute* head = &node->attributes;
  for (NodeAttribute* a = head->next; a != head; a = a->next) {
    if (a->name.data && std::strcmp(a->name.data, attribute) == 0) {
      HostAssign(&a->value, value);
      Resync();
      return;
    }
  }
  auto* entry = static_cast<NodeAttribute*>(std::calloc(1, sizeof(NodeAttribute)));
  HostAssign(&entry->name, attribute);
  HostAssign(&entry->value, value);
  entry->next = head;
  entry->prev = head->prev;
  head->prev->next = entry;
  head->prev = entry;
  Resync();
}

ProjectNode* FakeHost::AddConfiguration(const char* name) {
  ProjectNode* configs = nullptr;
  for (ProjectNode* c = root_->first_child; c; c = c->next_sibling)
    if (c->name.data && std::strcmp(c->name.data, "Configurations") == 0) configs = c;
  if (!configs) configs = Add(root_, "Configurations");
  return Add(configs, "Configuration", name);
}

std::string FakeHost::Get(const ProjectNode* node, const char* attribute) {
  for (const NodeAttribute* a = node->attributes.next; a != &node->attributes; a = a->next)
    if (a->name.data && std::strcmp(a->name.data, attribute) == 0) return TextOf(a->value);
  return "<missing>";
}

std::vector<std::string> FakeHost::AttributeNames(const ProjectNode* node) {
  std::vector<std::string> names;
  for (const NodeAttribute* a = node->attributes.next; a != &node->attributes; a = a->next)
    names.push_back(TextOf(a->name));
  return names;
}

std::string FakeHost::Dump() const {
  std::string out;
  DumpNode(root_, 0, &out);
  return out;
}

void FakeHost::Install(PluginInterface* table) {
  g_current = this;
  table->HostSetDriverSetting = Service_SetDriverSetting;
  table->HostUpdateNode = Service_UpdateNode;
  table->HostAddChild = Service_AddChild;
  table->host_word15 = 0;
  table->HostRunCommand = Service_RunCommand;
  table->HostOutput = Service_Output;
  table->host_word18 = 0;
  table->HostTranslationDone = Service_TranslationDone;
  table->HostDeviceChanged = Service_DeviceChanged;
}

const HostContext* FakeHost::Context() {
  property_pointers_.clear();
  for (const std::string& p : device_properties) property_pointers_.push_back(p.c_str());
  property_pointers_.push_back(nullptr);
  device_ = DeviceRecord{"Vendor", "Device", 0, property_pointers_.data()};
  context_ = HostContext{};
  context_.install_dir = install_dir.c_str();
  context_.project_path = project_path.c_str();
  context_.debug_driver = debug_driver.c_str();
  context_.debug_record = &debug;
  context_.default_clock = &clock;
  context_.device = &device_;
  context_.toolchain_name = toolchain_name.c_str();
  return &context_;
}

void FakeHost::Service_SetDriverSetting(const char* key, const char* value) {
  g_current->calls.push_back({"SetDriverSetting", nullptr, {key, value}});
}

void FakeHost::Service_UpdateNode(ProjectNode* target, ProjectNode* detached) {
  HostCall call{"UpdateNode", target, {}};
  for (const NodeAttribute* a = detached->attributes.next; a != &detached->attributes;
       a = a->next) {
    g_current->Set(target, a->name.data, a->value.data);
    call.args.push_back(TextOf(a->name) + "=" + TextOf(a->value));
  }
  g_current->calls.push_back(std::move(call));
  g_current->Resync();
}

ProjectNode* FakeHost::Service_AddChild(ProjectNode* parent, const char* element,
                                        const char* name) {
  g_current->calls.push_back({"AddChild", parent, {element, name ? name : "<null>"}});
  if (g_current->fail_add_child) return nullptr;
  return g_current->Add(parent, element, name);
}

int FakeHost::Service_RunCommand(const char* command_line, int, int, int, int* exit_code) {
  g_current->calls.push_back({"RunCommand", nullptr, {command_line}});
  *exit_code = g_current->run_command_exit_code;
  return g_current->run_command_succeeds ? 1 : 0;
}

void FakeHost::Service_Output(const char* text, int kind) {
  g_current->calls.push_back({"Output", nullptr, {text, std::to_string(kind)}});
}

void FakeHost::Service_TranslationDone() {
  g_current->calls.push_back({"TranslationDone", nullptr, {}});
}

void FakeHost::Service_DeviceChanged(void*) {
  g_current->calls.push_back({"DeviceChanged", nullptr, {}});
}

const char* PluginFileName() {
#if defined(_WIN32)
  return "c51plugin.dll";
#else
  return "libc51plugin.so";
#endif
}

PluginLibrary::~PluginLibrary() {
  library_.Close();
  if (!folder_.empty()) RemoveTree(folder_);
}

bool PluginLibrary::Load(std::string* err) {
  std::string bytes;
  const std::string source = ExecutableDirectory() + PluginFileName();
  if (ReadWholeFile(source, &bytes, err) != ReadStatus::kOkay) return false;
  folder_ = MakeTempDirectory("c51plugin");
  if (folder_.empty()) {
    *err = "no temporary folder";
    return false;
  }
  const std::string copy = folder_ + PluginFileName();
  if (!WriteWholeFile(copy, bytes, err)) return false;
  if (!library_.Open(copy, err)) return false;
  auto get_interface = reinterpret_cast<GetInterfaceFunction>(
      reinterpret_cast<uintptr_t>(library_.Symbol("GetInterface")));
  if (!get_interface) {
    *err = "no GetInterface in " + copy;
    return false;
  }
  table_ = get_interface();
  return table_ != nullptr;
}

}  // namespace c51::test
