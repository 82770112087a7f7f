// Reading the configuration-wide records with their missing-key values,
// and writing each page's keys back through the host.
#include "project/config_keys.h"

#include <string>

#include "project/key_names.h"
#include "project/key_writer.h"
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

}  // namespace

void ReadTargetRecord(const ProjectNode* config, double default_clock, TargetRecord* out) {
  if (out == nullptr) return;
  *out = TargetRecord();
  out->clock = default_clock;
  ReadInt(config, keys::kCodeMode, &out->code_mode);
  ReadInt(config, keys::kMemMode, &out->mem_mode);
  ReadInt(config, keys::kRtos, &out->rtos);
  ReadInt(config, keys::kTargetFlags, &out->t51_flags);
  double clock = 0.0;
  if (GetAttributeDouble(config, keys::kClock, &clock) != nullptr) out->clock = clock;
  ReadText(config, keys::kOffChipCode, &out->ocm51);
  ReadText(config, keys::kOffChipXdata, &out->ocr51);
  ReadText(config, keys::kCodeBank, &out->code_bank);
}

void WriteTargetRecord(HostServices* host, ProjectNode* config, const TargetRecord& record) {
  KeyWriter writer(host, config);
  AddTargetKeys(record, &writer);
  writer.Commit();
}

void AddTargetKeys(const TargetRecord& record, KeyWriter* writer) {
  writer->Int(keys::kCodeMode, record.code_mode);
  writer->Int(keys::kMemMode, record.mem_mode);
  writer->Int(keys::kRtos, record.rtos);
  writer->Int(keys::kTargetFlags, record.t51_flags);
  writer->Double(keys::kClock, record.clock);
  writer->Text(keys::kOffChipCode, record.ocm51);
  writer->Text(keys::kOffChipXdata, record.ocr51);
  writer->Text(keys::kCodeBank, record.code_bank);
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
  ReadText(config, keys::kOutputDirectory, &out->output_directory);
  ReadText(config, keys::kOutputName, &out->output_name);
  ReadInt(config, keys::kCreateExecutable, &out->gen_app);
  ReadInt(config, keys::kCreateLibrary, &out->gen_lib);
  ReadText(config, keys::kListingDirectory, &out->listing_directory);
  ParseListingSwitches(GetAttributeText(config, keys::kListingSwitches), &out->listing);
}

void AddOutputKeys(const OutputRecord& record, KeyWriter* writer) {
  writer->Text(keys::kOutputDirectory, record.output_directory);
  writer->Text(keys::kOutputName, record.output_name);
  writer->Int(keys::kCreateExecutable, record.gen_app);
  writer->Int(keys::kCreateLibrary, record.gen_lib);
  writer->Text(keys::kListingDirectory, record.listing_directory);
  writer->Text(keys::kListingSwitches, FormatListingSwitches(record.listing));
}

int ConfigurationBankCount(const ProjectNode* config) {
  return BankCount(GetAttributeText(config, keys::kCodeBank));
}

void WriteUserCommandKeys(HostServices* host, ProjectNode* config, const UserCommands& before_cmp,
                          const UserCommands& before_build, const UserCommands& after_build) {
  KeyWriter writer(host, config);
  writer.Text(keys::kBeforeCompile, EncodeUserCommands(before_cmp));
  writer.Text(keys::kBeforeBuild, EncodeUserCommands(before_build));
  writer.Text(keys::kAfterBuild, EncodeUserCommands(after_build));
  writer.Commit();
}

}  // namespace c51
