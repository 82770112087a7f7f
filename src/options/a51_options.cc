#include "options/a51_options.h"

#include <cstdint>

#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"

namespace c51 {

namespace {

int Switch(uint32_t word, int shift, OptionScope scope) {
  if (scope == OptionScope::kProject) return static_cast<int>((word >> shift) & 1u);
  return static_cast<int>(((word >> shift) & 3u) % 3u);
}

void InheritSwitch(int outer, int* field) {
  if (*field == kA51InheritSwitch) *field = outer;
}

void SettleSwitch(int fallback, int* field) {
  if (*field < 0 || *field >= kA51InheritSwitch) *field = fallback;
}

uint32_t Stored(int value) {
  return static_cast<uint32_t>(value < 0 || value > kA51InheritSwitch ? kA51InheritSwitch : value);
}

}  // namespace

A51Options DecodeA51Flags(int flags, OptionScope scope) {
  const uint32_t word = static_cast<uint32_t>(flags);
  A51Options options;
  options.useMpl = Switch(word, 0, scope);
  options.useStandardMacros = Switch(word, 2, scope);
  options.defineSfrNames = Switch(word, 6, scope);
  return options;
}

void InheritA51Options(const A51Options& outer, A51Options* working) {
  InheritSwitch(outer.useMpl, &working->useMpl);
  InheritSwitch(outer.useStandardMacros, &working->useStandardMacros);
  InheritSwitch(outer.defineSfrNames, &working->defineSfrNames);
}

void SettleA51Options(A51Options* options) {
  const A51Options defaults;
  SettleSwitch(defaults.useMpl, &options->useMpl);
  SettleSwitch(defaults.useStandardMacros, &options->useStandardMacros);
  SettleSwitch(defaults.defineSfrNames, &options->defineSfrNames);
}

int EncodeA51Flags(const A51Options& options) {
  return static_cast<int>(Stored(options.useStandardMacros) * 4 + Stored(options.useMpl) +
                          Stored(options.defineSfrNames) * 64);
}

A51Record DefaultA51Record(OptionScope scope) {
  A51Record record;
  if (scope != OptionScope::kProject) record.flags = kA51InheritFlags;
  return record;
}

A51Record ReadA51Record(const ProjectNode* tool, OptionScope scope) {
  A51Record record = DefaultA51Record(scope);
  int value = 0;
  if (GetAttributeInt(tool, keys::kA51Flags, &value) != nullptr) record.flags = value;
  if (const char* text = GetAttributeText(tool, keys::kA51Set)) record.set = text;
  if (const char* text = GetAttributeText(tool, keys::kA51Reset)) record.reset = text;
  if (const char* text = GetAttributeText(tool, keys::kA51Misc)) record.misc = text;
  if (const char* text = GetAttributeText(tool, keys::kA51Include)) record.include = text;
  return record;
}

bool WriteA51Record(HostServices* host, ProjectNode* tool, const A51Record& record) {
  KeyWriter writer(host, tool);
  writer.Int(keys::kA51Flags, record.flags);
  writer.Text(keys::kA51Set, record.set);
  writer.Text(keys::kA51Reset, record.reset);
  writer.Text(keys::kA51Misc, record.misc);
  writer.Text(keys::kA51Include, record.include);
  return writer.Commit();
}

bool StoreA51Record(HostServices* host, ProjectNode* node, ConfigurationRef* ref,
                    const A51Record& record) {
  ProjectNode* tool = FindOrAddScopeTool(host, node, ref, keys::kA51Tool);
  return tool != nullptr && WriteA51Record(host, tool, record);
}

}  // namespace c51
