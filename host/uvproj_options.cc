#include "host/uvproj_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "host/text_encoding.h"
#include "host/xml.h"
#include "import/import_names.h"

namespace c51::host {
namespace {

class OptionsReader final : public XmlHandler {
 public:
  explicit OptionsReader(std::vector<UvprojTargetOptions>* targets) : targets_(targets) {}

  bool StartElement(std::string_view name, const std::vector<XmlAttributeView>&,
                    std::string*) override {
    path_.emplace_back(name);
    text_.clear();
    if (Under({"Project", "Targets", "Target"}, 0)) current_ = UvprojTargetOptions{};
    return true;
  }
  bool Text(std::string_view text, std::string*) override {
    text_.append(text);
    return true;
  }
  bool EndElement(std::string*) override {
    if (Under({"Project", "Targets", "Target", "TargetName"}, 0)) current_.name = TreeText(text_);
    if (Under({"Project", "Targets", "Target", "TargetOption", "TargetCommonOption"}, 1)) {
      const std::string& leaf = path_.back();
      if (leaf == "OutputDirectory") current_.output_folder = TreeText(text_);
      if (leaf == "OutputName") current_.output_name = TreeText(text_);
      if (leaf == "ListingPath") current_.listing_folder = TreeText(text_);
      if (leaf == "Cpu") current_.cpu = TreeText(text_);
    }
    if (Under({"Project", "Targets", "Target", "TargetOption", "Target51", "Target51Misc"}, 1)) {
      const std::string& leaf = path_.back();
      if (leaf == "MemoryModel") current_.memory_model = TreeText(text_);
      if (leaf == "RomSize") current_.code_model = TreeText(text_);
    }
    // The import leaves the targets past its limit out, so does this.
    if (Under({"Project", "Targets", "Target"}, 0) && targets_->size() < kMaxImportedTargets)
      targets_->push_back(current_);
    path_.pop_back();
    text_.clear();
    return true;
  }

 private:
  // Whether the open elements are `names` followed by `extra` more.
  bool Under(std::initializer_list<const char*> names, size_t extra) const {
    if (path_.size() != names.size() + extra) return false;
    return std::equal(names.begin(), names.end(), path_.begin());
  }
  // A text the tree's code page cannot hold stays UTF-8: the settings
  // dialog then refuses or keeps it as the user would have typed it.
  static std::string TreeText(const std::string& utf8) {
    std::string bytes, err;
    return Utf8ToTreeText(utf8, &bytes, &err) ? bytes : utf8;
  }

  std::vector<UvprojTargetOptions>* targets_;
  std::vector<std::string> path_;
  std::string text_;
  UvprojTargetOptions current_;
};

}  // namespace

bool ParseUvprojOptions(const std::string& data, std::vector<UvprojTargetOptions>* targets,
                        std::string* err) {
  targets->clear();
  OptionsReader reader(targets);
  return ParseXml(DefaultXmlBackend(), data, &reader, err);
}

std::string CrystalText(const std::string& cpu) {
  const size_t clock = cpu.find("CLOCK(");
  if (clock == std::string::npos) return std::string();
  const size_t open = clock + 5;
  const size_t close = cpu.find(')', open);
  if (close == std::string::npos) return std::string();
  const std::string digits = cpu.substr(open + 1, close - open - 1);
  if (digits.empty()) return std::string();
  char* end = nullptr;
  errno = 0;
  const unsigned long long hertz = std::strtoull(digits.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || digits[0] == '-' || digits[0] == '+') return std::string();
  // Hertz to MHz exactly: the whole part, then the fraction without its
  // trailing zeros ("11059200" => "11.0592").
  std::string text = std::to_string(hertz / 1000000);
  const unsigned long long fraction = hertz % 1000000;
  if (fraction != 0) {
    char digits6[8];
    std::snprintf(digits6, sizeof digits6, "%06llu", fraction);
    std::string part = digits6;
    while (part.back() == '0') part.pop_back();
    text += "." + part;
  }
  return text;
}

}  // namespace c51::host
