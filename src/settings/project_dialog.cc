// The project dialog: ten pages over the current configuration; the
// pages that write on Apply are bound to the node their keys live in, the
// rest is written here after OK, one group of keys at a time and only
// when it changed.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "options/tool_scope.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"
#include "settings/ardel_property_sheet.h"
#include "settings/pages/device_page.h"
#include "settings/pages/page_factory.h"
#include "settings/pages/target_page.h"
#include "settings/record_compare.h"
#include "settings/settings_backend.h"
#include "settings/settings_entry.h"
#include "support/path_text.h"

namespace c51::settings {
namespace {

std::string Text(const ProjectNode* node, const char* key) {
  const char* text = GetAttributeText(node, key);
  return text ? text : "";
}

// The target record; a missing "OCM51", "OCR51" or "CodeBank" keeps the
// text the last dialog loaded.
void LoadTarget(PluginState* state, const ProjectNode* config) {
  const TargetRecord previous = state->target;
  double clock = state->context.default_clock ? *state->context.default_clock : 0.0;
  ReadTargetRecord(config, clock, &state->target);
  if (!GetAttributeText(config, keys::kOffChipCode)) state->target.ocm51 = previous.ocm51;
  if (!GetAttributeText(config, keys::kOffChipXdata)) state->target.ocr51 = previous.ocr51;
  if (!GetAttributeText(config, keys::kCodeBank)) state->target.code_bank = previous.code_bank;
}

// The configuration's tool node, created at once when missing.
ProjectNode* ToolOf(HostServices* host, ProjectNode* config, const char* tool) {
  ProjectNode* node = FindToolNode(config, tool);
  if (node == nullptr && host != nullptr) node = host->AddChild(config, keys::kTool, tool);
  return node;
}

bool SameDebug(const DebugOptionRecord& a, const DebugOptionRecord& b) {
  return a.use_simulator == b.use_simulator && a.driver_index == b.driver_index &&
         a.sim_load_app == b.sim_load_app && a.sim_run_to_main == b.sim_run_to_main &&
         a.hw_load_app == b.hw_load_app && a.hw_run_to_main == b.hw_run_to_main &&
         DriverText(a) == DriverText(b);
}

// Where a page's Apply writes its keys: nowhere (this dialog writes them
// after OK), the configuration, or one of its tool nodes.
enum class ApplyNode { kNone, kConfiguration, kC51Tool, kA51Tool, kLinkerTool };

struct ProjectPage {
  PageKind kind;
  ApplyNode apply_node;
};

// The project dialog's pages, in tab order.
constexpr ProjectPage kProjectPages[] = {
    {PageKind::kDevice, ApplyNode::kNone},
    {PageKind::kTarget, ApplyNode::kConfiguration},
    {PageKind::kOutput, ApplyNode::kNone},
    {PageKind::kListing, ApplyNode::kNone},
    {PageKind::kUser, ApplyNode::kConfiguration},
    {PageKind::kC51, ApplyNode::kC51Tool},
    {PageKind::kA51, ApplyNode::kA51Tool},
    {PageKind::kLinkerLocate, ApplyNode::kLinkerTool},
    {PageKind::kLinkerMisc, ApplyNode::kLinkerTool},
    {PageKind::kDebug, ApplyNode::kNone},
};

// The configuration and its three tool nodes.
struct ConfigurationNodes {
  ProjectNode* config = nullptr;
  ProjectNode* c51_tool = nullptr;
  ProjectNode* a51_tool = nullptr;
  ProjectNode* linker_tool = nullptr;
};

ProjectNode* NodeOf(ApplyNode which, const ConfigurationNodes& nodes) {
  switch (which) {
    case ApplyNode::kNone:
      return nullptr;
    case ApplyNode::kConfiguration:
      return nodes.config;
    case ApplyNode::kC51Tool:
      return nodes.c51_tool;
    case ApplyNode::kA51Tool:
      return nodes.a51_tool;
    case ApplyNode::kLinkerTool:
      return nodes.linker_tool;
  }
  return nullptr;
}

// The Device page shows its choice on the Target page, which the sheet
// opens on.
constexpr size_t kDevicePage = 0;
constexpr size_t kTargetPage = 1;
static_assert(kProjectPages[kDevicePage].kind == PageKind::kDevice);
static_assert(kProjectPages[kTargetPage].kind == PageKind::kTarget);

// What the dialog loaded: the write-back compares the pages' records with
// it and writes only what changed.
struct LoadedProject {
  ConfigurationNodes nodes;
  OutputRecord output;
  UserRecord user;
  C51Record compiler;
  A51Record assembler;
  LinkerOptions linker;
};

// The project's own compiler and assembler values, as the pages' control
// strings show them inherited.
void InheritProjectValues(SettingsRecords* records) {
  records->c51_inherited = C51Inherited();
  records->c51_inherited.project_flags = records->compiler.flags;
  records->c51_inherited.project_define = records->compiler.define;
  records->c51_inherited.project_include = records->compiler.include;
  records->c51_inherited.project_misc = records->compiler.misc;
  records->a51_inherited = A51Inherited();
  records->a51_inherited.project_flags = records->assembler.flags;
  records->a51_inherited.project_set = records->assembler.set;
  records->a51_inherited.project_include = records->assembler.include;
  records->a51_inherited.project_misc = records->assembler.misc;
}

// Loads the plug-in's target, output and debug records and the dialog's
// records from `config`, creating the tool nodes it lacks.
LoadedProject LoadProject(PluginState* state, ProjectNode* config, SettingsRecords* records) {
  HostServices* host = state->host;
  LoadedProject loaded;
  LoadTarget(state, config);
  records->target_loaded = state->target;
  const std::string project_path = state->context.project_path ? state->context.project_path : "";
  ReadOutputRecord(config, Text(config, keys::kName),
                   std::string(FileTitle(project_path, PathBreak::kSlash)), &state->output);
  loaded.output = state->output;
  if (state->context.debug_record != nullptr) state->debug = *state->context.debug_record;
  records->user = {Text(config, keys::kBeforeCompile), Text(config, keys::kBeforeBuild),
                   Text(config, keys::kAfterBuild)};
  loaded.user = records->user;

  ConfigurationNodes& nodes = loaded.nodes;
  nodes.config = config;
  nodes.c51_tool = ToolOf(host, config, keys::kC51Tool);
  nodes.a51_tool = ToolOf(host, config, keys::kA51Tool);
  nodes.linker_tool = ToolOf(host, config, keys::kLx51Tool);
  records->compiler = ReadC51Record(nodes.c51_tool, OptionScope::kProject);
  records->compiler_scope = OptionScope::kProject;
  records->assembler = ReadA51Record(nodes.a51_tool, OptionScope::kProject);
  records->assembler_scope = OptionScope::kProject;
  records->linker = ReadLinkerOptions(nodes.linker_tool);
  loaded.compiler = records->compiler;
  loaded.assembler = records->assembler;
  loaded.linker = records->linker;
  InheritProjectValues(records);
  records->chosen_device = nullptr;
  records->chosen_device_copy.reset();
  return loaded;
}

// The sheet over the project's pages, each bound to the node its Apply
// writes to; kResultOk or kResultCancel.
int RunProjectSheet(PluginState* state, const ProjectNode* root, const ConfigurationNodes& nodes,
                    SettingsBackend* backend, SettingsRecords* records) {
  const Language language = backend ? backend->language() : state->language;
  SettingsSession session{state, records, state->context.default_clock};
  std::string title = MessageText(MessageId::kProjectSettings, language);
  title += '"';
  title += Text(root, keys::kName);
  title += '"';
  CArdelPropertySheet sheet(title);
  std::vector<std::unique_ptr<CArdelPage>> pages;
  for (const ProjectPage& entry : kProjectPages) {
    pages.push_back(MakePage(entry.kind, &session));
    CArdelPage* page = pages.back().get();
    page->Bind(NodeOf(entry.apply_node, nodes));
    sheet.AddPage(page);
  }
  if (auto* device_page = dynamic_cast<CDevicePage*>(pages[kDevicePage].get())) {
    device_page->set_target_page(dynamic_cast<CTargetPage*>(pages[kTargetPage].get()));
  }
  sheet.SetActivePage(static_cast<int>(kTargetPage));
  return sheet.DoModal(backend);
}

// Output folder and name, the two switches, the listing folder; then the
// listing switches, which have a key of their own.
void WriteOutputKeys(HostServices* host, ProjectNode* config, const OutputRecord& output,
                     const OutputRecord& loaded) {
  if (!SameOutput(output, loaded)) {
    KeyWriter writer(host, config);
    writer.Text(keys::kOutputDirectory, output.output_directory);
    writer.Text(keys::kOutputName, output.output_name);
    writer.Int(keys::kCreateExecutable, output.gen_app);
    writer.Int(keys::kCreateLibrary, output.gen_lib);
    writer.Text(keys::kListingDirectory, output.listing_directory);
    writer.Commit();
  }
  if (output.listing != loaded.listing) {
    KeyWriter writer(host, config);
    writer.Text(keys::kListingSwitches, FormatListingSwitches(output.listing));
    writer.Commit();
  }
}

void WriteUserKeys(HostServices* host, ProjectNode* config, const UserRecord& user,
                   const UserRecord& loaded) {
  if (user.before_compile == loaded.before_compile && user.before_build == loaded.before_build &&
      user.after_build == loaded.after_build) {
    return;
  }
  KeyWriter writer(host, config);
  writer.Text(keys::kBeforeCompile, user.before_compile);
  writer.Text(keys::kBeforeBuild, user.before_build);
  writer.Text(keys::kAfterBuild, user.after_build);
  writer.Commit();
}

void WriteToolKeys(HostServices* host, const ConfigurationNodes& nodes, const LoadedProject& loaded,
                   const SettingsRecords& records) {
  if (!SameCompiler(records.compiler, loaded.compiler)) {
    WriteC51Record(host, nodes.c51_tool, records.compiler);
  }
  if (!SameAssembler(records.assembler, loaded.assembler)) {
    WriteA51Record(host, nodes.a51_tool, records.assembler);
  }
  if (!SameLinkerLocate(records.linker, loaded.linker)) {
    WriteLinkerLocateKeys(host, nodes.linker_tool, records.linker);
  }
  if (!SameLinkerMisc(records.linker, loaded.linker)) {
    WriteLinkerMiscKeys(host, nodes.linker_tool, records.linker);
  }
}

// After OK, in this order: the chosen device to the host, then each group
// of keys the pages changed. 1 when another device was chosen, else 0.
int WriteProject(PluginState* state, const LoadedProject& loaded, const SettingsRecords& records) {
  HostServices* host = state->host;
  ProjectNode* config = loaded.nodes.config;
  int result = 0;
  if (records.chosen_device != nullptr && host != nullptr) {
    host->DeviceChanged(records.chosen_device);
    result = 1;
  }
  if (!SameTarget(state->target, records.target_loaded)) {
    WriteTargetRecord(host, config, state->target);
    if (state->context.default_clock) *state->context.default_clock = state->target.clock;
  }
  WriteOutputKeys(host, config, state->output, loaded.output);
  WriteUserKeys(host, config, records.user, loaded.user);
  if (DebugOptionRecord* host_debug = state->context.debug_record) {
    if (!SameDebug(state->debug, *host_debug))
      std::memcpy(host_debug, &state->debug, sizeof(state->debug));
  }
  WriteToolKeys(host, loaded.nodes, loaded, records);
  return result;
}

}  // namespace

int RunProjectDialog(PluginState* state, ProjectNode* root, SettingsBackend* backend,
                     SettingsRecords* records) {
  ConfigurationRef* ref = &state->configuration;
  if (ref->root == nullptr) ref->root = root;
  ProjectNode* config = FindCurrentConfiguration(ref);
  if (config == nullptr) return 0;
  const LoadedProject loaded = LoadProject(state, config, records);
  if (RunProjectSheet(state, root, loaded.nodes, backend, records) != kResultOk) return 0;
  return WriteProject(state, loaded, *records);
}

}  // namespace c51::settings
