#include "options/linker_options.h"

#include "options/tool_scope.h"
#include "project/key_names.h"
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
    {"LX51COB", &LinkerOptions::code_base},      {"LX51XDB", &LinkerOptions::xdata_base},
    {"LX51PDB", &LinkerOptions::pdata_base},     {"LX51BIB", &LinkerOptions::bit_base},
    {"LX51DAB", &LinkerOptions::data_base},      {"LX51IDB", &LinkerOptions::idata_base},
    {"LX51PRC", &LinkerOptions::precede},        {"LX51STK", &LinkerOptions::stack},
    {"LX51COS", &LinkerOptions::code_segments},  {"LX51XDS", &LinkerOptions::xdata_segments},
    {"LX51BIS", &LinkerOptions::bit_segments},   {"LX51DAS", &LinkerOptions::data_segments},
    {"LX51IDS", &LinkerOptions::idata_segments},
};

constexpr TextKey kMiscKeys[] = {
    {"LX51OVL", &LinkerOptions::overlay},
    {"LX51MSC", &LinkerOptions::misc},
    {"LX51DWN", &LinkerOptions::disable_warnings},
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

ProjectNode* FindOrAddLinkerTool(HostServices* host, ConfigurationRef* ref) {
  return FindOrAddScopeTool(host, FindCurrentConfiguration(ref), ref, keys::kLx51Tool);
}

}  // namespace c51
