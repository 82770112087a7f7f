// Reading the shared node layout, and the plug-in's own detached nodes.
//
// Host nodes are only ever read here. Detached nodes, their texts and their
// attribute entries are allocated with the plug-in's allocator and freed
// through the node's own virtual table, so a node handed back by the host's
// code would still be freed by the module that made it.
#include "project/node.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

namespace c51 {

namespace {

void C51_THISCALL DestroyDetachedNode(ProjectNode* self, int flags);

const NodeVTable kDetachedVTable = {&DestroyDetachedNode};

NodeAttribute* RingHead(const ProjectNode* node) {
  return const_cast<NodeAttribute*>(&node->attributes);
}

void FreeAttributes(ProjectNode* node) {
  NodeAttribute* head = &node->attributes;
  NodeAttribute* entry = head->next;
  while (entry != nullptr && entry != head) {
    NodeAttribute* next = entry->next;
    FreeText(&entry->value);
    FreeText(&entry->name);
    delete entry;
    entry = next;
  }
  head->prev = head;
  head->next = head;
}

void C51_THISCALL DestroyDetachedNode(ProjectNode* self, int flags) {
  FreeAttributes(self);
  ProjectNode* child = self->first_child;
  self->first_child = nullptr;
  while (child != nullptr) {
    ProjectNode* next = child->next_sibling;
    // A child may come from other code; its own table knows how to free it.
    if (child->vtable != nullptr && child->vtable->destroy != nullptr) {
      child->vtable->destroy(child, 1);
    }
    child = next;
  }
  FreeText(&self->name);
  if (flags & 1) delete self;
}

}  // namespace

// ---- Texts ----

bool AssignText(NodeText* text, const char* source) {
  return AssignText(text, source, source != nullptr ? std::strlen(source) : 0);
}

bool AssignText(NodeText* text, const char* source, size_t length) {
  if (source == nullptr) {
    FreeText(text);
    return true;
  }
  // Both counters are 32-bit in the shared layout.
  if (length >= UINT32_MAX) return false;
  char* data = new (std::nothrow) char[length + 1];
  if (data == nullptr) return false;
  std::memcpy(data, source, length);
  data[length] = '\0';
  FreeText(text);
  text->data = data;
  text->size = static_cast<uint32_t>(length + 1);
  text->length = static_cast<uint32_t>(length);
  return true;
}

void FreeText(NodeText* text) {
  delete[] text->data;
  text->data = nullptr;
  text->size = 0;
  text->length = 0;
}

// ---- Reading ----

const char* NodeName(const ProjectNode* node) {
  if (node == nullptr || node->name.data == nullptr) return "";
  return node->name.data;
}

bool TextEquals(const NodeText& text, const char* name) {
  return text.data != nullptr && name != nullptr && std::strcmp(text.data, name) == 0;
}

ProjectNode* FirstChildNamed(const ProjectNode* node, const char* name) {
  if (node == nullptr) return nullptr;
  for (ProjectNode* child = node->first_child; child != nullptr; child = child->next_sibling) {
    if (TextEquals(child->name, name)) return child;
  }
  return nullptr;
}

ProjectNode* NextSiblingNamed(const ProjectNode* node, const char* name) {
  if (node == nullptr) return nullptr;
  for (ProjectNode* next = node->next_sibling; next != nullptr; next = next->next_sibling) {
    if (TextEquals(next->name, name)) return next;
  }
  return nullptr;
}

NodeAttribute* FindAttribute(const ProjectNode* node, const char* name) {
  if (node == nullptr) return nullptr;
  NodeAttribute* head = RingHead(node);
  // A zero-filled head (no ring set up yet) reads as an empty ring.
  for (NodeAttribute* entry = head->next; entry != nullptr && entry != head; entry = entry->next) {
    if (TextEquals(entry->name, name)) return entry;
  }
  return nullptr;
}

const char* GetAttributeText(const ProjectNode* node, const char* name) {
  const NodeAttribute* entry = FindAttribute(node, name);
  if (entry == nullptr) return nullptr;
  return entry->value.data != nullptr ? entry->value.data : "";
}

const char* GetAttributeInt(const ProjectNode* node, const char* name, int* out) {
  const char* text = GetAttributeText(node, name);
  if (out != nullptr) *out = text != nullptr ? ParseInt(text) : 0;
  return text;
}

const char* GetAttributeDouble(const ProjectNode* node, const char* name, double* out) {
  const char* text = GetAttributeText(node, name);
  if (out != nullptr) *out = text != nullptr ? ParseDouble(text) : 0.0;
  return text;
}

// ---- Detached nodes ----

void NodeDeleter::operator()(ProjectNode* node) const {
  if (node != nullptr && node->vtable != nullptr && node->vtable->destroy != nullptr) {
    node->vtable->destroy(node, 1);
  }
}

NodePtr CreateDetachedNode(const char* name) {
  ProjectNode* node = new (std::nothrow) ProjectNode{};
  if (node == nullptr) return nullptr;
  node->vtable = &kDetachedVTable;
  node->attributes.prev = &node->attributes;
  node->attributes.next = &node->attributes;
  NodePtr owned(node);
  if (!AssignText(&node->name, name)) return nullptr;
  return owned;
}

bool SetAttributeText(ProjectNode* node, const char* name, const char* value) {
  if (node == nullptr || name == nullptr) return false;
  if (NodeAttribute* entry = FindAttribute(node, name)) return AssignText(&entry->value, value);

  NodeAttribute* entry = new (std::nothrow) NodeAttribute{};
  if (entry == nullptr) return false;
  if (!AssignText(&entry->name, name) || !AssignText(&entry->value, value)) {
    FreeText(&entry->name);
    FreeText(&entry->value);
    delete entry;
    return false;
  }
  LinkLastAttribute(node, entry);
  return true;
}

bool SetAttributeInt(ProjectNode* node, const char* name, int value) {
  return SetAttributeText(node, name, FormatInt(value).c_str());
}

bool SetAttributeDouble(ProjectNode* node, const char* name, double value) {
  return SetAttributeText(node, name, FormatDouble(value).c_str());
}

void AdoptChild(ProjectNode* parent, NodePtr child) {
  if (parent == nullptr || child == nullptr) return;
  ProjectNode** link = &parent->first_child;
  while (*link != nullptr) link = &(*link)->next_sibling;
  child->parent = parent;
  child->next_sibling = nullptr;
  *link = child.release();
}

}  // namespace c51
