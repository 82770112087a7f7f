#include "options/linker_options.h"

#include "options/tool_scope.h"
#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"

namespace c51 {

namespace {

struct TextKey {
  const char* key;
  std::string LinkerOptions::*field;
};

// In the order the locate page writes them.
constexpr TextKey kLocateKeys[] = {
    {keys::kLx51CodeBase, &LinkerOptions::code_base},
    {keys::kLx51XdataBase, &LinkerOptions::xdata_base},
    {keys::kLx51PdataBase, &LinkerOptions::pdata_base},
    {keys::kLx51BitBase, &LinkerOptions::bit_base},
    {keys::kLx51DataBase, &LinkerOptions::data_base},
    {keys::kLx51IdataBase, &LinkerOptions::idata_base},
    {keys::kLx51Precede, &LinkerOptions::precede},
    {keys::kLx51Stack, &LinkerOptions::stack},
    {keys::kLx51CodeSegments, &LinkerOptions::code_segments},
    {keys::kLx51XdataSegments, &LinkerOptions::xdata_segments},
    {keys::kLx51BitSegments, &LinkerOptions::bit_segments},
    {keys::kLx51DataSegments, &LinkerOptions::data_segments},
    {keys::kLx51IdataSegments, &LinkerOptions::idata_segments},
};

constexpr TextKey kMiscKeys[] = {
    {keys::kLx51Overlay, &LinkerOptions::overlay},
    {keys::kLx51Misc, &LinkerOptions::misc},
    {keys::kLx51DisableWarnings, &LinkerOptions::disable_warnings},
};

template <size_t N>
void ReadTexts(const ProjectNode* tool, const TextKey (&keys)[N], LinkerOptions* options) {
  for (const TextKey& key : keys) {
    if (const char* text = GetAttributeText(tool, key.key)) options->*key.field = text;
  }
}

}  // namespace

LinkerOptions ReadLinkerOptions(const ProjectNode* tool) {
  LinkerOptions options;
  int flags = 0;
  if (GetAttributeInt(tool, keys::kLx51Flags, &flags) != nullptr) options.flags = flags;
  ReadTexts(tool, kLocateKeys, &options);
  ReadTexts(tool, kMiscKeys, &options);
  return options;
}

bool WriteLinkerLocateKeys(HostServices* host, ProjectNode* tool, const LinkerOptions& options) {
  KeyWriter writer(host, tool);
  writer.Int(keys::kLx51Flags, options.flags);
  for (const TextKey& key : kLocateKeys) writer.Text(key.key, options.*key.field);
  return writer.Commit();
}

bool WriteLinkerMiscKeys(HostServices* host, ProjectNode* tool, const LinkerOptions& options) {
  KeyWriter writer(host, tool);
  for (const TextKey& key : kMiscKeys) writer.Text(key.key, options.*key.field);
  return writer.Commit();
}

bool WriteLinkerOptions(HostServices* host, ProjectNode* tool, const LinkerOptions& options) {
  KeyWriter writer(host, tool);
  writer.Int(keys::kLx51Flags, options.flags);
  for (const TextKey& key : kLocateKeys) writer.Text(key.key, options.*key.field);
  for (const TextKey& key : kMiscKeys) writer.Text(key.key, options.*key.field);
  return writer.Commit();
}

ProjectNode* FindOrAddLinkerTool(HostServices* host, ConfigurationRef* ref) {
  return FindOrAddScopeTool(host, FindCurrentConfiguration(ref), ref, keys::kLx51Tool);
}

}  // namespace c51
