#include "plugin/default_configuration.h"

#include <cstring>

#include "plugin/state.h"
#include "project/config_keys.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"
#include "support/path_text.h"

namespace c51 {
namespace {

struct KeyDefault {
  const char* key;
  const char* value;
};

// The tool keys a new configuration starts with. 4853008 is 0x4A0D10 and
// 68 is 0x44, the flag words of the compiler and assembler defaults.
constexpr KeyDefault kC51Defaults[] = {
    {keys::kC51Flags, "4853008"}, {keys::kC51VectorAddress, "0"}, {keys::kC51Define, ""},
    {keys::kC51Undefine, ""},     {keys::kC51Misc, ""},           {keys::kC51Include, ""},
};
constexpr KeyDefault kA51Defaults[] = {
    {keys::kA51Flags, "68"}, {keys::kA51Set, ""},     {keys::kA51Reset, ""},
    {keys::kA51Misc, ""},    {keys::kA51Include, ""},
};
constexpr KeyDefault kLx51Defaults[] = {
    {keys::kLx51Flags, "4"},       {keys::kLx51CodeBase, ""},        {keys::kLx51XdataBase, ""},
    {keys::kLx51PdataBase, ""},    {keys::kLx51BitBase, ""},         {keys::kLx51DataBase, ""},
    {keys::kLx51IdataBase, ""},    {keys::kLx51Precede, ""},         {keys::kLx51Stack, ""},
    {keys::kLx51CodeSegments, ""}, {keys::kLx51XdataSegments, ""},   {keys::kLx51BitSegments, ""},
    {keys::kLx51DataSegments, ""}, {keys::kLx51IdataSegments, ""},   {keys::kLx51Overlay, ""},
    {keys::kLx51Misc, ""},         {keys::kLx51DisableWarnings, ""},
};

// Finds or creates the tool node and writes its keys. False when the host
// could not create it.
template <size_t N>
bool WriteToolDefaults(HostServices* host, ProjectNode* config, const char* tool,
                       const KeyDefault (&keys)[N]) {
  ProjectNode* node = FindToolNode(config, tool);
  if (!node) node = host->AddChild(config, keys::kTool, tool);
  if (!node) return false;
  KeyWriter writer(host, node);
  for (const KeyDefault& key : keys) writer.Text(key.key, key.value);
  return writer.Commit();
}

}  // namespace

void CreateDefaultConfiguration(PluginState* state, ProjectNode* config) {
  if (!config || std::strcmp(NodeName(config), keys::kConfiguration) != 0) return;
  const HostContext& context = state->context;
  const double default_clock = context.default_clock ? *context.default_clock : 0.0;

  // The memory and banking texts are kept: a new configuration starts from
  // the ones last loaded in this process.
  TargetRecord& target = state->target;
  target.code_mode = 2;
  target.mem_mode = 0;
  target.rtos = 0;
  target.t51_flags = 0;
  target.clock = default_clock;

  const char* name = GetAttributeText(config, keys::kName);
  if (!name) return;
  HostServices* host = state->host;
  if (!host) return;

  OutputRecord& output = state->output;
  output.output_directory = DefaultConfigFolder(name);
  output.listing_directory = output.output_directory;
  output.output_name =
      FileTitle(context.project_path ? context.project_path : "", PathBreak::kSlash);
  output.gen_app = 1;
  output.gen_lib = 0;
  output.listing.fill(0);

  if (context.debug_record) state->debug = *context.debug_record;

  KeyWriter writer(host, config);
  AddTargetKeys(target, &writer);
  AddOutputKeys(output, &writer);
  if (context.debug_record) *context.debug_record = state->debug;
  writer.Text(keys::kDebugOptions, FormatDebugOptions(state->debug));
  if (!writer.Commit()) return;

  if (!WriteToolDefaults(host, config, keys::kC51Tool, kC51Defaults)) return;
  if (!WriteToolDefaults(host, config, keys::kA51Tool, kA51Defaults)) return;
  WriteToolDefaults(host, config, keys::kLx51Tool, kLx51Defaults);
}

}  // namespace c51
