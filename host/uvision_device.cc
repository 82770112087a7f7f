#include "host/uvision_device.h"

#include <cstdlib>

#include "host/text_encoding.h"
#include "host/uv2_lines.h"
#include "host/xml.h"
#include "import/import_names.h"
#include "platform/ascii_case.h"
#include "platform/fs.h"
#include "support/path_text.h"

namespace c51::host {
namespace {

// Collects the texts of the elements on the paths the header names.
class UvprojReader final : public XmlHandler {
 public:
  explicit UvprojReader(std::vector<UvisionTarget>* targets) : targets_(targets) {}

  bool StartElement(std::string_view name, const std::vector<XmlAttributeView>&,
                    std::string*) override {
    path_.emplace_back(name);
    text_.clear();
    if (At({"Project", "Targets", "Target"})) current_ = UvisionTarget{};
    return true;
  }
  bool Text(std::string_view text, std::string*) override {
    text_.append(text);
    return true;
  }
  bool EndElement(std::string*) override {
    static const std::vector<std::string> kCommon = {"Project", "Targets", "Target", "TargetOption",
                                                     "TargetCommonOption"};
    if (At({"Project", "Targets", "Target", "TargetName"}))
      current_.name = UvisionTextForTree(text_);
    if (path_.size() == kCommon.size() + 1 &&
        std::equal(kCommon.begin(), kCommon.end(), path_.begin())) {
      const std::string& leaf = path_.back();
      if (leaf == "Device") current_.device.name = UvisionTextForTree(text_);
      if (leaf == "Vendor") current_.device.vendor = UvisionTextForTree(text_);
      if (leaf == "Cpu" && !text_.empty())
        current_.device.properties = {"CPU=" + UvisionTextForTree(text_)};
    }
    // The import leaves the ones past the limit out too.
    if (At({"Project", "Targets", "Target"}) && targets_->size() < kMaxImportedTargets) {
      targets_->push_back(current_);
    }
    path_.pop_back();
    text_.clear();
    return true;
  }

 private:
  bool At(std::initializer_list<const char*> names) const {
    if (path_.size() != names.size()) return false;
    size_t i = 0;
    for (const char* name : names)
      if (path_[i++] != name) return false;
    return true;
  }

  std::vector<UvisionTarget>* targets_;
  std::vector<std::string> path_;
  std::string text_;
  UvisionTarget current_;
};

}  // namespace

bool ParseUvprojTargets(const std::string& data, std::vector<UvisionTarget>* targets,
                        std::string* err) {
  targets->clear();
  UvprojReader reader(targets);
  return ParseXml(DefaultXmlBackend(), data, &reader, err);
}

void ParseUv2Targets(const std::string& data, std::vector<UvisionTarget>* targets) {
  targets->clear();
  std::vector<DeviceInfo> devices;  // by target number - 1, from the Options blocks
  int options_target = 0;           // the Options block being read; 0 outside
  for (std::string_view line : Uv2Lines(data)) {
    std::string text;
    if (options_target > 0) {
      DeviceInfo& device = devices[static_cast<size_t>(options_target - 1)];
      if (StartsWithIgnoringCase(line, "EndOpt")) {
        options_target = 0;
      } else if (Uv2KeywordText(line, "Device", &text)) {
        device.name = text;
      } else if (Uv2KeywordText(line, "Vendor", &text)) {
        device.vendor = text;
      } else if (Uv2KeywordText(line, "Cpu", &text) && !text.empty()) {
        device.properties = {"CPU=" + text};
      }
      continue;
    }
    if (Uv2KeywordText(line, "Target", &text)) {
      if (targets->size() < kMaxImportedTargets) targets->push_back({text, {}});
    } else if (StartsWithIgnoringCase(line, "Options ")) {
      // "Options 1,0,0  // Target 'Target 1'": the target's number.
      int number = std::atoi(std::string(line.substr(8)).c_str());
      if (number > 0 && number <= 1024) {
        if (devices.size() < static_cast<size_t>(number))
          devices.resize(static_cast<size_t>(number));
        options_target = number;
      }
    }
  }
  for (size_t i = 0; i < targets->size() && i < devices.size(); ++i)
    (*targets)[i].device = devices[i];
}

bool ReadUvisionTargets(const std::string& path, std::vector<UvisionTarget>* targets,
                        std::string* err) {
  std::string extension = LowerExtension(path);
  if (extension != "uvproj" && extension != "uvprojx" && extension != "uv2") {
    *err = path + ": not a uVision project (the extension must be .uvproj, .uvprojx or .uv2)";
    return false;
  }
  std::string data, why;
  if (ReadWholeFile(path, &data, &why) != ReadStatus::kOkay) {
    *err = "cannot read " + path + ": " + why;
    return false;
  }
  if (extension == "uv2") {
    ParseUv2Targets(data, targets);
    return true;
  }
  if (!ParseUvprojTargets(data, targets, &why)) {
    *err = path + ": not well-formed XML: " + why;
    return false;
  }
  return true;
}

const UvisionTarget* PickTarget(const std::vector<UvisionTarget>& targets,
                                const std::string& name) {
  for (const UvisionTarget& target : targets)
    if (target.name == name) return &target;
  return targets.empty() ? nullptr : &targets.front();
}

}  // namespace c51::host
