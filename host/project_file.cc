#include "host/project_file.h"

#include <vector>

#include "host/host_platform.h"
#include "host/text_encoding.h"
#include "platform/fs.h"

namespace c51::host {
namespace {

bool IsBlankText(std::string_view text) {
  for (char c : text)
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
  return true;
}

// Builds host nodes from the reader's events.
class ProjectLoader final : public XmlHandler {
 public:
  explicit ProjectLoader(HostTree* tree) : tree_(tree) {}

  bool StartElement(std::string_view name, const std::vector<XmlAttributeView>& attributes,
                    std::string* err) override {
    std::string element;
    if (!Convert(name, "element name", &element, err)) return false;
    ProjectNode* node;
    if (open_.empty()) {
      if (tree_->root()) {
        *err = "more than one root element";
        return false;
      }
      if (element != keys::kProjectRoot) {
        *err =
            "the root element is \"" + std::string(name) + "\", not \"" + keys::kProjectRoot + "\"";
        return false;
      }
      node = tree_->NewRoot(element);
    } else {
      if (static_cast<int>(open_.size()) >= kMaxTreeDepth) {
        *err = "elements nest deeper than " + std::to_string(kMaxTreeDepth) + " levels";
        return false;
      }
      node = tree_->AppendChild(open_.back(), element);
    }
    if (!node) {
      *err = "out of memory";
      return false;
    }
    std::string attribute, value;
    for (const XmlAttributeView& a : attributes) {
      if (!Convert(a.name, "attribute name", &attribute, err) ||
          !Convert(a.value, "value of \"" + std::string(a.name) + "\"", &value, err))
        return false;
      if (!tree_->AppendAttribute(node, attribute, value)) {
        *err = "out of memory";
        return false;
      }
    }
    open_.push_back(node);
    return true;
  }

  bool Text(std::string_view text, std::string* err) override {
    if (IsBlankText(text)) return true;
    // A reader may hand over character data (a CDATA section) before or
    // after the root element; a project holds none anywhere.
    if (open_.empty()) {
      *err = "text outside the root element";
      return false;
    }
    *err = "element \"" + std::string(TextView(open_.back()->name)) +
           "\" holds text; project elements hold attributes only";
    return false;
  }

  bool EndElement(std::string* err) override {
    if (open_.empty()) {
      *err = "an end tag outside the root element";
      return false;
    }
    open_.pop_back();
    return true;
  }

 private:
  static bool Convert(std::string_view utf8, const std::string& what, std::string* bytes,
                      std::string* err) {
    std::string why;
    if (Utf8ToTreeText(utf8, bytes, &why)) return true;
    *err = what + ": " + why;
    return false;
  }

  HostTree* tree_;
  std::vector<ProjectNode*> open_;
};

// The names both readers accept.
bool IsXmlName(std::string_view name) {
  if (name.empty() || !IsXmlNameStart(name[0])) return false;
  for (char c : name) {
    if (!IsXmlNameChar(c)) return false;
  }
  return true;
}

bool NameFor(const NodeText& text, const char* what, std::string* out, std::string* err) {
  *out = TreeTextToUtf8(TextView(text));
  if (IsXmlName(*out)) return true;
  *err = std::string("the ") + what + " \"" + *out + "\" cannot be written as an XML name";
  return false;
}

}  // namespace

LoadStatus ParseProject(const std::string& data, XmlBackend backend, HostTree* tree,
                        std::string* err) {
  tree->Clear();
  ProjectLoader loader(tree);
  std::string why;
  bool parsed = ParseXml(backend, data, &loader, &why);
  if (parsed && !tree->root()) {
    parsed = false;
    why = "no root element";
  }
  if (!parsed) {
    tree->Clear();
    *err = why;
    return LoadStatus::kNotProject;
  }
  tree->set_modified(false);
  return LoadStatus::kOkay;
}

bool SerializeProject(const ProjectNode* root, XmlBackend backend, std::string* out,
                      std::string* err) {
  std::unique_ptr<XmlBuilder> builder = MakeXmlBuilder(backend);
  std::string name, value;
  const ProjectNode* node = root;
  while (node) {
    if (!NameFor(node->name, "element name", &name, err)) return false;
    builder->Open(name);
    const NodeAttribute* head = &node->attributes;
    for (const NodeAttribute* a = head->next; a != head; a = a->next) {
      if (!NameFor(a->name, "attribute name", &name, err)) return false;
      builder->Attribute(name, TreeTextToUtf8(TextView(a->value)));
    }
    if (node->first_child) {
      node = node->first_child;
      continue;
    }
    builder->Close();
    while (node != root && !node->next_sibling) {
      node = node->parent;
      builder->Close();
    }
    if (node == root) break;
    node = node->next_sibling;
  }
  *out = builder->Finish();
  return true;
}

LoadStatus LoadProjectFile(const std::string& path, HostTree* tree, std::string* err) {
  std::string data, why;
  switch (ReadWholeFile(path, &data, &why)) {
    case ReadStatus::kOkay:
      break;
    case ReadStatus::kNotFound:
      *err = path + ": no such project file";
      return LoadStatus::kNotFound;
    case ReadStatus::kOtherError:
      *err = "cannot read the project file: " + why;
      return LoadStatus::kOtherError;
  }
  LoadStatus status = ParseProject(data, DefaultXmlBackend(), tree, &why);
  if (status != LoadStatus::kOkay) *err = path + ": not a project file: " + why;
  return status;
}

bool SaveProjectFile(const std::string& path, const HostTree& tree, std::string* err) {
  std::string data, why;
  if (!tree.root() || !SerializeProject(tree.root(), DefaultXmlBackend(), &data, &why)) {
    *err = "cannot save " + path + ": " + (tree.root() ? why : "no project");
    return false;
  }
  if (!AtomicWriteFile(path, data, &why)) {
    *err = "cannot save the project: " + why;
    return false;
  }
  return true;
}

}  // namespace c51::host
