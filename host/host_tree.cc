#include "host/host_tree.h"
#include "project/key_names.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace c51::host {
namespace {

// A host text: malloc'ed, counted, NUL-terminated. False (and `text`
// untouched) when memory runs out or the length does not fit the counters.
bool MakeText(const char* data, size_t length, NodeText* text) {
  if (length >= UINT32_MAX) return false;
  char* copy = static_cast<char*>(std::malloc(length + 1));
  if (!copy) return false;
  if (length) std::memcpy(copy, data, length);
  copy[length] = '\0';
  *text = NodeText{copy, static_cast<uint32_t>(length + 1), static_cast<uint32_t>(length)};
  return true;
}

void FreeHostText(NodeText* text) {
  std::free(text->data);
  *text = NodeText{};
}

bool SameName(const NodeText& text, std::string_view name) {
  return text.data && TextView(text) == name;
}

// The host's deleting destructor. Children go first, through their own
// table entry; depth is bounded by kMaxTreeDepth, so recursion is safe.
void C51_THISCALL DestroyHostNode(ProjectNode* self, int flags) {
  NodeAttribute* head = &self->attributes;
  for (NodeAttribute* entry = head->next; entry != head;) {
    NodeAttribute* next = entry->next;
    FreeHostText(&entry->value);
    FreeHostText(&entry->name);
    std::free(entry);
    entry = next;
  }
  head->next = head->prev = head;
  for (ProjectNode* child = self->first_child; child;) {
    ProjectNode* next = child->next_sibling;
    child->vtable->destroy(child, 1);
    child = next;
  }
  self->first_child = nullptr;
  FreeHostText(&self->name);
  if (flags & 1) std::free(self);
}

const NodeVTable kHostNodeTable = {DestroyHostNode};

ProjectNode* LastChild(const ProjectNode* node) {
  return reinterpret_cast<ProjectNode*>(node->reserved1);
}

}  // namespace

std::string_view TextView(const NodeText& text) {
  return text.data ? std::string_view(text.data, text.length) : std::string_view();
}

bool FindAttributeView(const ProjectNode* node, std::string_view name, std::string_view* value) {
  const NodeAttribute* head = &node->attributes;
  for (const NodeAttribute* a = head->next; a != head; a = a->next) {
    if (SameName(a->name, name)) {
      *value = TextView(a->value);
      return true;
    }
  }
  return false;
}

ProjectNode* ChildNamed(const ProjectNode* node, std::string_view name) {
  for (ProjectNode* child = node->first_child; child; child = child->next_sibling)
    if (SameName(child->name, name)) return child;
  return nullptr;
}

HostTree::~HostTree() {
  Clear();
}

void HostTree::Clear() {
  if (root_) root_->vtable->destroy(root_, 1);
  root_ = nullptr;
}

ProjectNode* HostTree::NewNode(std::string_view element, ProjectNode* parent) {
  auto* node = static_cast<ProjectNode*>(std::calloc(1, sizeof(ProjectNode)));
  if (!node) return nullptr;
  if (!MakeText(element.data(), element.size(), &node->name)) {
    std::free(node);
    return nullptr;
  }
  node->vtable = &kHostNodeTable;
  node->reserved0 = reinterpret_cast<uintptr_t>(this);
  node->reserved2 = parent ? parent->reserved2 + 1 : 0;
  node->parent = parent;
  node->attributes.prev = node->attributes.next = &node->attributes;
  return node;
}

ProjectNode* HostTree::NewRoot(std::string_view element) {
  ProjectNode* root = NewNode(element, nullptr);
  if (!root) return nullptr;
  if (root_) root_->vtable->destroy(root_, 1);
  root_ = root;
  modified_ = true;
  return root;
}

bool HostTree::Owns(const ProjectNode* node) const {
  return node && node->reserved0 == reinterpret_cast<uintptr_t>(this);
}

ProjectNode* HostTree::AppendChild(ProjectNode* parent, std::string_view element) {
  if (!Owns(parent) || parent->reserved2 + 1 >= static_cast<uintptr_t>(kMaxTreeDepth))
    return nullptr;
  ProjectNode* node = NewNode(element, parent);
  if (!node) return nullptr;
  if (ProjectNode* last = LastChild(parent))
    last->next_sibling = node;
  else
    parent->first_child = node;
  parent->reserved1 = reinterpret_cast<uintptr_t>(node);
  modified_ = true;
  return node;
}

bool HostTree::AppendAttribute(ProjectNode* node, std::string_view name, std::string_view value) {
  auto* entry = static_cast<NodeAttribute*>(std::calloc(1, sizeof(NodeAttribute)));
  if (!entry) return false;
  if (!MakeText(name.data(), name.size(), &entry->name) ||
      !MakeText(value.data(), value.size(), &entry->value)) {
    FreeHostText(&entry->name);
    std::free(entry);
    return false;
  }
  LinkLastAttribute(node, entry);
  modified_ = true;
  return true;
}

bool HostTree::SetAttribute(ProjectNode* node, std::string_view name, const char* value,
                            size_t value_length) {
  NodeAttribute* head = &node->attributes;
  for (NodeAttribute* a = head->next; a != head; a = a->next) {
    if (!SameName(a->name, name)) continue;
    NodeText text{};
    if (value && !MakeText(value, value_length, &text)) return false;
    FreeHostText(&a->value);
    a->value = text;
    modified_ = true;
    return true;
  }
  if (!AppendAttribute(node, name, std::string_view(value ? value : "", value ? value_length : 0)))
    return false;
  if (!value) FreeHostText(&head->prev->value);
  return true;
}

void HostTree::Remove(ProjectNode* node) {
  if (!Owns(node) || !node->parent) return;
  ProjectNode* parent = node->parent;
  ProjectNode* previous = nullptr;
  for (ProjectNode* c = parent->first_child; c && c != node; c = c->next_sibling) previous = c;
  if (previous)
    previous->next_sibling = node->next_sibling;
  else
    parent->first_child = node->next_sibling;
  if (LastChild(parent) == node) parent->reserved1 = reinterpret_cast<uintptr_t>(previous);
  node->vtable->destroy(node, 1);
  modified_ = true;
}

void HostTree::UpdateFrom(ProjectNode* target, const ProjectNode* detached) {
  if (!Owns(target) || !detached) return;
  const NodeAttribute* head = &detached->attributes;
  for (const NodeAttribute* a = head->next; a != head; a = a->next) {
    // An attribute without a name cannot be looked up by anyone; skip it.
    if (!a->name.data) continue;
    SetAttribute(target, TextView(a->name), a->value.data, a->value.length);
  }
}

ProjectNode* HostTree::AddChild(ProjectNode* parent, const char* element, const char* name) {
  if (!element) return nullptr;
  ProjectNode* child = AppendChild(parent, element);
  if (child && name && !SetAttribute(child, keys::kName, name)) {
    Remove(child);
    return nullptr;
  }
  return child;
}

}  // namespace c51::host
