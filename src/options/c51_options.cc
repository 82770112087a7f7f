#include "options/c51_options.h"

#include <cstdint>

#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"

namespace c51 {

namespace {

// The field of `width` bits at `shift`, reduced modulo `count` (the legal
// values and the inherit value together).
int Field(uint32_t word, int shift, int width, int count) {
  uint32_t raw = (word >> shift) & ((1u << width) - 1);
  return static_cast<int>(raw % static_cast<uint32_t>(count));
}

int Bit(uint32_t word, int bit) {
  return static_cast<int>((word >> bit) & 1u);
}

// A field outside 0..inherit is stored as inherit.
uint32_t Stored(int value, int inherit) {
  return static_cast<uint32_t>(value < 0 || value > inherit ? inherit : value);
}

void InheritField(int outer, int inherit, int* field) {
  if (*field == inherit) *field = outer;
}

void SettleField(int fallback, int inherit, int* field) {
  if (*field < 0 || *field >= inherit) *field = fallback;
}

}  // namespace

C51Options InheritingC51Options() {
  return DecodeC51Flags(kC51InheritFlags, OptionScope::kGroup);
}

C51Options DecodeC51Flags(int flags, OptionScope scope) {
  const uint32_t word = static_cast<uint32_t>(flags);
  C51Options options;
  if (scope == OptionScope::kProject) {
    options.regFile = Bit(word, 0);
    options.intVector = Bit(word, 8);
  } else {
    options.regFile = kC51InheritSwitch;
    options.intVector = kC51InheritSwitch;
  }
  options.keepOrder = Field(word, 2, 2, 3);
  options.intPromote = Field(word, 4, 2, 3);
  options.noAbsRegs = Field(word, 6, 2, 3);
  options.floatFuzzy = Field(word, 10, 4, 9);
  options.optimizeLevel = Field(word, 14, 4, 11);
  options.warningLevel = Field(word, 18, 2, 4);
  options.emphasis = Field(word, 22, 4, 3);
  return options;
}

C51Options ReadProjectC51Flags(int flags) {
  const uint32_t word = static_cast<uint32_t>(flags);
  C51Options options = DecodeC51Flags(flags, OptionScope::kProject);
  options.intPromote = Bit(word, 4);
  options.noAbsRegs = Bit(word, 6);
  options.keepOrder = Bit(word, 2);
  SettleC51Options(&options);
  return options;
}

void InheritC51Options(const C51Options& outer, C51Options* working) {
  InheritField(outer.regFile, kC51InheritSwitch, &working->regFile);
  InheritField(outer.keepOrder, kC51InheritSwitch, &working->keepOrder);
  InheritField(outer.intPromote, kC51InheritSwitch, &working->intPromote);
  InheritField(outer.noAbsRegs, kC51InheritSwitch, &working->noAbsRegs);
  InheritField(outer.intVector, kC51InheritSwitch, &working->intVector);
  InheritField(outer.floatFuzzy, kC51InheritFuzzy, &working->floatFuzzy);
  InheritField(outer.optimizeLevel, kC51InheritLevel, &working->optimizeLevel);
  InheritField(outer.warningLevel, kC51InheritWarning, &working->warningLevel);
  InheritField(outer.emphasis, kC51InheritEmphasis, &working->emphasis);
}

void SettleC51Options(C51Options* options) {
  const C51Options defaults;
  SettleField(defaults.regFile, kC51InheritSwitch, &options->regFile);
  SettleField(defaults.keepOrder, kC51InheritSwitch, &options->keepOrder);
  SettleField(defaults.intPromote, kC51InheritSwitch, &options->intPromote);
  SettleField(defaults.noAbsRegs, kC51InheritSwitch, &options->noAbsRegs);
  SettleField(defaults.intVector, kC51InheritSwitch, &options->intVector);
  SettleField(defaults.floatFuzzy, kC51InheritFuzzy, &options->floatFuzzy);
  SettleField(defaults.optimizeLevel, kC51InheritLevel, &options->optimizeLevel);
  SettleField(defaults.warningLevel, kC51InheritWarning, &options->warningLevel);
  SettleField(defaults.emphasis, kC51InheritEmphasis, &options->emphasis);
}

int EncodeC51Flags(const C51Options& options) {
  uint32_t word = Stored(options.optimizeLevel, kC51InheritLevel) << 14 |
                  Stored(options.emphasis, kC51InheritEmphasis) << 22 |
                  Stored(options.warningLevel, kC51InheritWarning) << 18 |
                  Stored(options.floatFuzzy, kC51InheritFuzzy) << 10 |
                  Stored(options.regFile, kC51InheritSwitch) |
                  Stored(options.noAbsRegs, kC51InheritSwitch) << 6 |
                  Stored(options.intVector, kC51InheritSwitch) << 8 |
                  Stored(options.keepOrder, kC51InheritSwitch) << 2 |
                  Stored(options.intPromote, kC51InheritSwitch) << 4;
  return static_cast<int>(word);
}

C51Record DefaultC51Record(OptionScope scope) {
  C51Record record;
  if (scope != OptionScope::kProject) record.flags = kC51InheritFlags;
  return record;
}

C51Record ReadC51Record(const ProjectNode* tool, OptionScope scope) {
  C51Record record = DefaultC51Record(scope);
  int value = 0;
  if (GetAttributeInt(tool, keys::kC51Flags, &value) != nullptr) record.flags = value;
  if (GetAttributeInt(tool, keys::kC51VectorAddress, &value) != nullptr)
    record.vector_address = value;
  if (const char* text = GetAttributeText(tool, keys::kC51Define)) record.define = text;
  if (const char* text = GetAttributeText(tool, keys::kC51Undefine)) record.undefine = text;
  if (const char* text = GetAttributeText(tool, keys::kC51Misc)) record.misc = text;
  if (const char* text = GetAttributeText(tool, keys::kC51Include)) record.include = text;
  return record;
}

bool WriteC51Record(HostServices* host, ProjectNode* tool, const C51Record& record) {
  KeyWriter writer(host, tool);
  writer.Int(keys::kC51Flags, record.flags);
  writer.Int(keys::kC51VectorAddress, record.vector_address);
  writer.Text(keys::kC51Define, record.define);
  writer.Text(keys::kC51Undefine, record.undefine);
  writer.Text(keys::kC51Misc, record.misc);
  writer.Text(keys::kC51Include, record.include);
  return writer.Commit();
}

bool StoreC51Record(HostServices* host, ProjectNode* node, ConfigurationRef* ref,
                    const C51Record& record) {
  ProjectNode* tool = FindOrAddScopeTool(host, node, ref, keys::kC51Tool);
  return tool != nullptr && WriteC51Record(host, tool, record);
}

}  // namespace c51
