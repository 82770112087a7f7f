#include "host/uvproj_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "host/text_encoding.h"
#include "host/uv2_lines.h"
#include "host/xml.h"
#include "import/import_names.h"
#include "platform/ascii_case.h"

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
    if (Under({"Project", "Targets", "Target", "TargetName"}, 0))
      current_.name = UvisionTextForTree(text_);
    if (Under({"Project", "Targets", "Target", "TargetOption", "TargetCommonOption"}, 1)) {
      const std::string& leaf = path_.back();
      if (leaf == "OutputDirectory") current_.output_folder = UvisionTextForTree(text_);
      if (leaf == "OutputName") current_.output_name = UvisionTextForTree(text_);
      if (leaf == "ListingPath") current_.listing_folder = UvisionTextForTree(text_);
      if (leaf == "Cpu") current_.cpu = UvisionTextForTree(text_);
    }
    if (Under({"Project", "Targets", "Target", "TargetOption", "Target51", "Target51Misc"}, 1)) {
      const std::string& leaf = path_.back();
      if (leaf == "MemoryModel") current_.memory_model = UvisionTextForTree(text_);
      if (leaf == "RomSize") current_.code_model = UvisionTextForTree(text_);
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

void ParseUv2Options(const std::string& data, std::vector<UvprojTargetOptions>* targets) {
  targets->clear();
  UvprojTargetOptions* block = nullptr;  // the target whose Options block is read
  std::vector<UvprojTargetOptions> blocks;
  std::vector<int> block_targets;
  for (std::string_view line : Uv2Lines(data)) {
    std::string text;
    int target = 0, group = 0, file = 0;
    if (block == nullptr) {
      if (Uv2KeywordText(line, "Target", &text)) {
        if (targets->size() < kMaxImportedTargets) {
          targets->emplace_back();
          targets->back().name = text;
        }
      } else if (Uv2OptionsHeader(line, &target, &group, &file) && target > 0 && group == 0 &&
                 file == 0) {
        blocks.emplace_back();
        block_targets.push_back(target);
        block = &blocks.back();
      }
      continue;
    }
    if (StartsWithIgnoringCase(line, "EndOpt")) {
      block = nullptr;
      continue;
    }
    const struct {
      const char* keyword;
      std::optional<std::string>* value;
    } texts[] = {{"OutDir", &block->output_folder},  {"OutName", &block->output_name},
                 {"LstDir", &block->listing_folder}, {"Cpu", &block->cpu},
                 {"C51DEF", &block->c_defines},      {"INCC5", &block->c_include},
                 {"INCA5", &block->a_include}};
    for (const auto& t : texts) {
      if (Uv2KeywordText(line, t.keyword, &text)) *t.value = text;
    }
    if (Uv2Setting(line, "MODEL5", &text)) block->memory_model = text;
    if (Uv2Setting(line, "ROMSZ5", &text)) block->code_model = text;
  }
  for (size_t i = 0; i < blocks.size(); ++i) {
    const size_t index = static_cast<size_t>(block_targets[i] - 1);
    if (index >= targets->size()) continue;
    const std::string name = (*targets)[index].name;
    (*targets)[index] = std::move(blocks[i]);
    (*targets)[index].name = name;
  }
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
