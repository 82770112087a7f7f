#include "host/uvproj_exclusions.h"

#include <algorithm>

#include "host/project_model.h"
#include "host/text_encoding.h"
#include "host/xml.h"
#include "project/key_names.h"
#include "project/node.h"

namespace c51::host {
namespace {

class ExclusionReader final : public XmlHandler {
 public:
  explicit ExclusionReader(std::vector<UvprojExclusion>* out) : out_(out) {}

  bool StartElement(std::string_view name, const std::vector<XmlAttributeView>&,
                    std::string*) override {
    path_.emplace_back(name);
    text_.clear();
    if (At({"Target"})) target_.clear();
    if (At({"Target", "Groups", "Group"})) {
      group_.clear();
      group_left_out_ = false;
    }
    if (At({"Target", "Groups", "Group", "Files", "File"})) {
      file_.clear();
      file_left_out_ = false;
    }
    return true;
  }
  bool Text(std::string_view text, std::string*) override {
    text_.append(text);
    return true;
  }
  bool EndElement(std::string*) override {
    if (At({"Target", "TargetName"})) target_ = UvisionTextForTree(text_);
    if (At({"Target", "Groups", "Group", "GroupName"})) group_ = UvisionTextForTree(text_);
    if (At({"Target", "Groups", "Group", "GroupOption", "CommonProperty", "IncludeInBuild"}))
      group_left_out_ = text_ == "0";
    if (At({"Target", "Groups", "Group", "Files", "File", "FilePath"}))
      file_ = UvisionTextForTree(text_);
    if (At({"Target", "Groups", "Group", "Files", "File", "FileOption", "CommonProperty",
            "IncludeInBuild"})) {
      file_left_out_ = text_ == "0";
    }
    if (At({"Target", "Groups", "Group", "GroupOption"}) && group_left_out_)
      out_->push_back({target_, group_, std::string()});
    if (At({"Target", "Groups", "Group", "Files", "File"}) && file_left_out_)
      out_->push_back({target_, group_, file_});
    path_.pop_back();
    text_.clear();
    return true;
  }

 private:
  // Whether the open elements are Project/Targets followed by `names`.
  bool At(std::initializer_list<const char*> names) const {
    if (path_.size() != names.size() + 2 || path_[0] != "Project" || path_[1] != "Targets")
      return false;
    return std::equal(names.begin(), names.end(), path_.begin() + 2);
  }

  std::vector<UvprojExclusion>* out_;
  std::vector<std::string> path_;
  std::string text_, target_, group_, file_;
  bool group_left_out_ = false, file_left_out_ = false;
};

bool Named(const ProjectNode* node, const char* key, const std::string& value) {
  const char* text = GetAttributeText(node, key);
  return text && value == text;
}

}  // namespace

bool ParseUvprojExclusions(const std::string& data, std::vector<UvprojExclusion>* out,
                           std::string* err) {
  out->clear();
  ExclusionReader reader(out);
  return ParseXml(DefaultXmlBackend(), data, &reader, err);
}

std::vector<UvprojExclusion> ApplyLaterTargetsExclusions(HostTree* tree,
                                                         const std::vector<UvprojExclusion>& all) {
  std::vector<UvprojExclusion> applied;
  ProjectNode* files = FirstChildNamed(tree->root(), keys::kFiles);
  if (all.empty() || !files) return applied;
  const std::string& first = all.front().target;
  for (const UvprojExclusion& e : all) {
    if (e.target == first) continue;  // the plug-in's
    for (ProjectNode* group = FirstChildNamed(files, keys::kFilter); group;
         group = NextSiblingNamed(group, keys::kFilter)) {
      if (!Named(group, keys::kName, e.group)) continue;
      bool any = e.file.empty();
      if (e.file.empty()) LeaveOutOfBuild(tree, group, keys::kFilterConfiguration, e.target);
      for (ProjectNode* file = FirstChildNamed(group, keys::kFile); file;
           file = NextSiblingNamed(file, keys::kFile)) {
        if (!e.file.empty() && !Named(file, keys::kRelativePath, e.file)) continue;
        LeaveOutOfBuild(tree, file, keys::kFileConfiguration, e.target);
        any = true;
      }
      if (any) applied.push_back(e);
      break;
    }
  }
  return applied;
}

}  // namespace c51::host
