// The host's project tree: nodes in the layout the plug-in reads, allocated
// with the host's own allocator (malloc) and destroyed through the host's
// own virtual table. The plug-in never frees or edits these nodes; it asks
// for changes through the two services whose effects are implemented here
// (UpdateFrom for HostUpdateNode, AddChild for HostAddChild).
//
// The three reserved words are the host's:
//   reserved0  the owning HostTree, so that a node handed back by the
//              plug-in can be checked before it is touched;
//   reserved1  the node's last child, for appending in constant time;
//   reserved2  the node's depth (the root is 0).
#ifndef C51_HOST_HOST_TREE_H_
#define C51_HOST_HOST_TREE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "project/node.h"

namespace c51::host {

// Project files nest no deeper than this; the loader refuses deeper
// documents and AddChild refuses to go deeper, so that whatever is in the
// tree can be saved and loaded again.
constexpr int kMaxTreeDepth = 256;

class HostTree {
 public:
  HostTree() = default;
  ~HostTree();
  HostTree(const HostTree&) = delete;
  HostTree& operator=(const HostTree&) = delete;

  // Replaces the tree with a single root element; null when memory runs out.
  ProjectNode* NewRoot(std::string_view element);
  ProjectNode* root() const { return root_; }
  // Destroys every node.
  void Clear();

  // Appends a new element under `parent` (a node of this tree); null when
  // memory runs out or the tree would get deeper than kMaxTreeDepth.
  ProjectNode* AppendChild(ProjectNode* parent, std::string_view element);

  // Adds the attribute at the end of the ring, or replaces the value of the
  // first attribute of that name. A null `value` stores a null text. False
  // when memory runs out (the node is unchanged then).
  bool SetAttribute(ProjectNode* node, std::string_view name, const char* value,
                    size_t value_length);
  bool SetAttribute(ProjectNode* node, std::string_view name, std::string_view value) {
    return SetAttribute(node, name, value.data(), value.size());
  }
  // Appends an attribute without looking for one of the same name: the
  // loader keeps a document's attributes exactly as written.
  bool AppendAttribute(ProjectNode* node, std::string_view name, std::string_view value);

  // Unlinks `node` (not the root) from its parent and destroys it.
  void Remove(ProjectNode* node);

  // True for nodes allocated by this tree.
  bool Owns(const ProjectNode* node) const;

  // HostUpdateNode: every attribute of `detached` is set on `target`,
  // added when absent and replaced when present, in the detached node's
  // order; other attributes of `target` stay. Nothing of `detached` is kept.
  // The detached node's element name is not looked at.
  void UpdateFrom(ProjectNode* target, const ProjectNode* detached);

  // HostAddChild: a new last child of `parent` named `element`, carrying
  // "Name" = `name` when `name` is not null. Null for a parent that is not
  // a node of this tree, a null element name, or when the node cannot be
  // made.
  ProjectNode* AddChild(ProjectNode* parent, const char* element, const char* name);

  // Set by every change; the commands save the project file when it is set.
  bool modified() const { return modified_; }
  void set_modified(bool modified) { modified_ = modified; }

 private:
  ProjectNode* NewNode(std::string_view element, ProjectNode* parent);

  ProjectNode* root_ = nullptr;
  bool modified_ = false;
};

// The text of a NodeText as bytes (its counted length); empty for a null
// text.
std::string_view TextView(const NodeText& text);

// The first attribute named `name`, as bytes; false when there is none.
bool FindAttributeView(const ProjectNode* node, std::string_view name, std::string_view* value);

// First child element named `name`; null when none.
ProjectNode* ChildNamed(const ProjectNode* node, std::string_view name);

}  // namespace c51::host

#endif  // C51_HOST_HOST_TREE_H_
