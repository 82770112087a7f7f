// Reading the configuration-wide records with their missing-key values,
// and writing each page's keys back through the host.
#include "project/config_keys.h"

#include <string>

#include "project/host_services.h"
#include "project/node.h"

namespace c51 {

namespace {

void ReadInt(const ProjectNode* config, const char* key, int* value) {
  int stored = 0;
  if (GetAttributeInt(config, key, &stored) != nullptr) *value = stored;
}

void ReadText(const ProjectNode* config, const char* key, std::string* value) {
  if (const char* stored = GetAttributeText(config, key)) *value = stored;
}

// The host changes its own nodes; the plug-in hands it a detached node
// named like the target carrying the keys, then frees it.
class KeyWriter {
 public:
  KeyWriter(HostServices* host, ProjectNode* config)
      : host_(host),
        config_(config),
        node_(host != nullptr && config != nullptr ? CreateDetachedNode(config->name.data)
                                                   : nullptr) {}

  void Text(const char* key, const std::string& value) {
    SetAttributeText(node_.get(), key, value.c_str());
  }
  void Int(const char* key, int value) { SetAttributeInt(node_.get(), key, value); }
  void Double(const char* key, double value) { SetAttributeDouble(node_.get(), key, value); }

  void Commit() {
    if (node_ != nullptr) host_->UpdateNode(config_, node_.get());
    node_.reset();
  }

 private:
  HostServices* host_;
  ProjectNode* config_;
  NodePtr node_;  // null when there is nothing to write to
};

}  // namespace

void ReadTargetRecord(const ProjectNode* config, double default_clock, TargetRecord* out) {
  if (out == nullptr) return;
  *out = TargetRecord();
  out->clock = default_clock;
  ReadInt(config, "CodeMode", &out->code_mode);
  ReadInt(config, "MemMode", &out->mem_mode);
  ReadInt(config, "RTOS", &out->rtos);
  ReadInt(config, "T51FL", &out->t51_flags);
  double clock = 0.0;
  if (GetAttributeDouble(config, "SIMCLK", &clock) != nullptr) out->clock = clock;
  ReadText(config, "OCM51", &out->ocm51);
  ReadText(config, "OCR51", &out->ocr51);
  ReadText(config, "CodeBank", &out->code_bank);
}

void WriteTargetRecord(HostServices* host, ProjectNode* config, const TargetRecord& record) {
  KeyWriter writer(host, config);
  writer.Int("CodeMode", record.code_mode);
  writer.Int("MemMode", record.mem_mode);
  writer.Int("RTOS", record.rtos);
  writer.Int("T51FL", record.t51_flags);
  writer.Double("SIMCLK", record.clock);
  writer.Text("OCM51", record.ocm51);
  writer.Text("OCR51", record.ocr51);
  writer.Text("CodeBank", record.code_bank);
  writer.Commit();
}

std::string DefaultConfigFolder(const std::string& config_name) {
  return ".\\" + config_name + "\\";
}

void ReadOutputRecord(const ProjectNode* config, const std::string& config_name,
                      const std::string& project_base, OutputRecord* out) {
  if (out == nullptr) return;
  *out = OutputRecord();
  out->output_directory = DefaultConfigFolder(config_name);
  out->output_name = project_base;
  out->listing_directory = out->output_directory;
  ReadText(config, "OutputDirectory", &out->output_directory);
  ReadText(config, "OutputName", &out->output_name);
  ReadInt(config, "GENAPP", &out->gen_app);
  ReadInt(config, "GENLIB", &out->gen_lib);
  ReadText(config, "ListingDirectory", &out->listing_directory);
  ParseListingSwitches(GetAttributeText(config, "OPTLT"), &out->listing);
}

void WriteOutputKeys(HostServices* host, ProjectNode* config, const OutputRecord& record) {
  KeyWriter writer(host, config);
  writer.Text("OutputDirectory", record.output_directory);
  writer.Text("OutputName", record.output_name);
  writer.Int("GENAPP", record.gen_app);
  writer.Int("GENLIB", record.gen_lib);
  writer.Commit();
}

void WriteListingKeys(HostServices* host, ProjectNode* config, const OutputRecord& record) {
  KeyWriter writer(host, config);
  writer.Text("ListingDirectory", record.listing_directory);
  writer.Text("OPTLT", FormatListingSwitches(record.listing));
  writer.Commit();
}

int ConfigurationBankCount(const ProjectNode* config) {
  return BankCount(GetAttributeText(config, "CodeBank"));
}

void WriteUserCommandKeys(HostServices* host, ProjectNode* config, const UserCommands& before_cmp,
                          const UserCommands& before_build, const UserCommands& after_build) {
  KeyWriter writer(host, config);
  writer.Text("BeforeCmp", EncodeUserCommands(before_cmp));
  writer.Text("BeforeBuild", EncodeUserCommands(before_build));
  writer.Text("AfterBuild", EncodeUserCommands(after_build));
  writer.Commit();
}

}  // namespace c51
