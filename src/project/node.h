// The host's project tree, shared with the host by memory layout.
//
// The host owns its nodes; the plug-in reads them with the functions below
// and never changes them. The plug-in builds detached nodes of the same
// layout in its own memory to carry attributes into the host's
// HostUpdateNode service, and frees only those.
//
// Layout: every pointer and word is pointer-sized, except the two 32-bit
// counters of NodeText. On 32-bit Windows that gives the host's 12/32/72
// bytes; on 64-bit platforms 16/48/120.
#ifndef C51_PROJECT_NODE_H_
#define C51_PROJECT_NODE_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "project/abi.h"

namespace c51 {

// A counted, NUL-terminated 8-bit text. All three words 0: a null text.
// An empty text has data pointing at a single NUL, size 1, length 0.
struct NodeText {
  char* data;
  uint32_t size;    // bytes allocated for data: length + 1; 0 when null
  uint32_t length;  // characters, the NUL not counted
};

// One entry of a node's circular, doubly linked attribute ring.
struct NodeAttribute {
  NodeText name;
  NodeText value;
  NodeAttribute* prev;
  NodeAttribute* next;
};

struct ProjectNode;

// The host's virtual table; entry 0 is the deleting destructor. Bit 0 of
// `flags` set: free the node's memory after destruction.
struct NodeVTable {
  void(C51_THISCALL* destroy)(ProjectNode* self, int flags);
};

struct ProjectNode {
  const NodeVTable* vtable;
  NodeText name;        // element name, such as "Configuration" or "File"
  uintptr_t reserved0;  // the host's; never read by the plug-in
  ProjectNode* parent;  // null for the root
  ProjectNode* first_child;
  uintptr_t reserved1;  // the host's link words; never read by the plug-in
  uintptr_t reserved2;
  ProjectNode* next_sibling;
  // The ring's head: name and value null, prev and next pointing at itself
  // when the node has no attributes. head.next is the first attribute.
  NodeAttribute attributes;
};

#if C51_ABI_32
static_assert(sizeof(NodeText) == 12 && offsetof(NodeText, size) == 4 &&
              offsetof(NodeText, length) == 8);
static_assert(sizeof(NodeAttribute) == 32 && offsetof(NodeAttribute, value) == 12 &&
              offsetof(NodeAttribute, prev) == 24 && offsetof(NodeAttribute, next) == 28);
static_assert(sizeof(ProjectNode) == 72 && offsetof(ProjectNode, name) == 4 &&
              offsetof(ProjectNode, reserved0) == 16 && offsetof(ProjectNode, parent) == 20 &&
              offsetof(ProjectNode, first_child) == 24 && offsetof(ProjectNode, reserved1) == 28 &&
              offsetof(ProjectNode, reserved2) == 32 && offsetof(ProjectNode, next_sibling) == 36 &&
              offsetof(ProjectNode, attributes) == 40);
#else
static_assert(sizeof(void*) == 8);
static_assert(sizeof(NodeText) == 16 && offsetof(NodeText, size) == 8 &&
              offsetof(NodeText, length) == 12);
static_assert(sizeof(NodeAttribute) == 48 && offsetof(NodeAttribute, value) == 16 &&
              offsetof(NodeAttribute, prev) == 32 && offsetof(NodeAttribute, next) == 40);
static_assert(sizeof(ProjectNode) == 120 && offsetof(ProjectNode, name) == 8 &&
              offsetof(ProjectNode, reserved0) == 24 && offsetof(ProjectNode, parent) == 32 &&
              offsetof(ProjectNode, first_child) == 40 && offsetof(ProjectNode, reserved1) == 48 &&
              offsetof(ProjectNode, reserved2) == 56 && offsetof(ProjectNode, next_sibling) == 64 &&
              offsetof(ProjectNode, attributes) == 72);
#endif

// ---- Texts (the plug-in's own allocations only) ----

// Replaces `text` with a copy of `source` (null source: null text). False,
// and `text` unchanged, when memory runs out.
bool AssignText(NodeText* text, const char* source);
bool AssignText(NodeText* text, const char* source, size_t length);
void FreeText(NodeText* text);

// ---- Reading (host nodes and the plug-in's own) ----

// The element name; "" when the name is null.
const char* NodeName(const ProjectNode* node);

// True when `text` is not null and equals `name` byte for byte. A null text
// never equals anything.
bool TextEquals(const NodeText& text, const char* name);

// First child whose element name is `name`; null when none.
ProjectNode* FirstChildNamed(const ProjectNode* node, const char* name);
// First sibling after `node` whose element name is `name`; null when none.
ProjectNode* NextSiblingNamed(const ProjectNode* node, const char* name);

// First attribute entry named `name`; null when none.
NodeAttribute* FindAttribute(const ProjectNode* node, const char* name);

// The attribute's value; "" when it exists with a null value; null when the
// attribute is missing. Callers treat null as "not stored".
const char* GetAttributeText(const ProjectNode* node, const char* name);

// As GetAttributeText; `out` receives the decimal value (leading blanks,
// optional sign, digits; saturated at the int range; 0 when nothing
// converts or the attribute is missing).
const char* GetAttributeInt(const ProjectNode* node, const char* name, int* out);

// As GetAttributeInt with a floating-point conversion; 0.0 when missing.
const char* GetAttributeDouble(const ProjectNode* node, const char* name, double* out);

// The conversions the two functions above use.
int ParseInt(const char* text);
double ParseDouble(const char* text);

// ---- Detached nodes (the plug-in's own) ----

// Destroys a node through its own virtual table (bit 0 set).
struct NodeDeleter {
  void operator()(ProjectNode* node) const;
};
using NodePtr = std::unique_ptr<ProjectNode, NodeDeleter>;

// A new node named `name` with no links and an empty ring; null when memory
// runs out.
NodePtr CreateDetachedNode(const char* name);

// Replaces the value of an existing entry or appends a new entry at the
// end of the ring. Allocation failure leaves the attribute unset (false).
bool SetAttributeText(ProjectNode* node, const char* name, const char* value);

// Links `entry` into the node's ring as its last attribute. Whoever made
// the entry (plug-in or host, each with its own allocator) still owns it.
inline void LinkLastAttribute(ProjectNode* node, NodeAttribute* entry) {
  NodeAttribute* head = &node->attributes;
  entry->next = head;
  entry->prev = head->prev;
  head->prev->next = entry;
  head->prev = entry;
}
// "%d".
bool SetAttributeInt(ProjectNode* node, const char* name, int value);
// "%f": six decimals, at most 255 characters.
bool SetAttributeDouble(ProjectNode* node, const char* name, double value);

// "%f" as SetAttributeDouble writes it (24 => "24.000000"), independent of
// the C locale.
std::string FormatDouble(double value);
// "%d" as SetAttributeInt writes it (-5 => "-5").
std::string FormatInt(int value);

// Appends `child` (a detached node) as the last child of `parent` (a
// detached node); `parent` takes ownership.
void AdoptChild(ProjectNode* parent, NodePtr child);

}  // namespace c51

#endif  // C51_PROJECT_NODE_H_
