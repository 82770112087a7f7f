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
#include "settings/device_page.h"
#include "settings/page_factory.h"
#include "settings/record_compare.h"
#include "settings/settings_backend.h"
#include "settings/settings_entry.h"
#include "settings/target_page.h"
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

constexpr PageKind kProjectPages[] = {
    PageKind::kDevice,     PageKind::kTarget, PageKind::kOutput, PageKind::kListing,
    PageKind::kUser,       PageKind::kC51,    PageKind::kA51,    PageKind::kLinkerLocate,
    PageKind::kLinkerMisc, PageKind::kDebug,
};

}  // namespace

int RunProjectDialog(PluginState* state, ProjectNode* root, SettingsBackend* backend,
                     SettingsRecords* records) {
  ConfigurationRef* ref = &state->configuration;
  if (ref->root == nullptr) ref->root = root;
  ProjectNode* config = FindCurrentConfiguration(ref);
  if (config == nullptr) return 0;
  HostServices* host = state->host;
  const Language language = backend ? backend->language() : state->language;

  // Load.
  LoadTarget(state, config);
  records->target_loaded = state->target;
  const std::string project_path = state->context.project_path ? state->context.project_path : "";
  ReadOutputRecord(config, Text(config, keys::kName),
                   std::string(FileTitle(project_path, PathBreak::kSlash)), &state->output);
  const OutputRecord output_loaded = state->output;
  if (state->context.debug_record != nullptr) state->debug = *state->context.debug_record;
  records->user = {Text(config, keys::kBeforeCompile), Text(config, keys::kBeforeBuild),
                   Text(config, keys::kAfterBuild)};
  const UserRecord user_loaded = records->user;

  ProjectNode* c51_tool = ToolOf(host, config, keys::kC51Tool);
  ProjectNode* a51_tool = ToolOf(host, config, keys::kA51Tool);
  ProjectNode* linker_tool = ToolOf(host, config, keys::kLx51Tool);
  records->compiler = ReadC51Record(c51_tool, OptionScope::kProject);
  records->compiler_scope = OptionScope::kProject;
  records->assembler = ReadA51Record(a51_tool, OptionScope::kProject);
  records->assembler_scope = OptionScope::kProject;
  records->linker = ReadLinkerOptions(linker_tool);
  const C51Record compiler_loaded = records->compiler;
  const A51Record assembler_loaded = records->assembler;
  const LinkerOptions linker_loaded = records->linker;
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
  records->chosen_device = nullptr;

  // The sheet.
  SettingsSession session{state, records, state->context.default_clock};
  std::string title = MessageText(MessageId::kProjectSettings, language);
  title += '"';
  title += Text(root, keys::kName);
  title += '"';
  CArdelPropertySheet sheet(title);
  std::vector<std::unique_ptr<CArdelPage>> pages;
  for (PageKind kind : kProjectPages) {
    pages.push_back(MakePage(kind, &session));
    CArdelPage* page = pages.back().get();
    switch (kind) {
      case PageKind::kTarget:
      case PageKind::kUser:
        page->Bind(config);
        break;
      case PageKind::kC51:
        page->Bind(c51_tool);
        break;
      case PageKind::kA51:
        page->Bind(a51_tool);
        break;
      case PageKind::kLinkerLocate:
      case PageKind::kLinkerMisc:
        page->Bind(linker_tool);
        break;
      default:
        break;
    }
    sheet.AddPage(page);
  }
  // The Device page shows a newly chosen device on the Target page.
  if (auto* device_page = dynamic_cast<CDevicePage*>(pages[0].get())) {
    device_page->set_target_page(dynamic_cast<CTargetPage*>(pages[1].get()));
  }
  sheet.SetActivePage(1);
  if (sheet.DoModal(backend) != kResultOk) return 0;

  // Write back, in this order.
  int result = 0;
  if (records->chosen_device != nullptr && host != nullptr) {
    host->DeviceChanged(records->chosen_device);
    result = 1;
  }
  if (!SameTarget(state->target, records->target_loaded)) {
    WriteTargetRecord(host, config, state->target);
    if (state->context.default_clock) *state->context.default_clock = state->target.clock;
  }
  if (!SameOutput(state->output, output_loaded)) {
    KeyWriter writer(host, config);
    writer.Text(keys::kOutputDirectory, state->output.output_directory);
    writer.Text(keys::kOutputName, state->output.output_name);
    writer.Int(keys::kCreateExecutable, state->output.gen_app);
    writer.Int(keys::kCreateLibrary, state->output.gen_lib);
    writer.Text(keys::kListingDirectory, state->output.listing_directory);
    writer.Commit();
  }
  if (state->output.listing != output_loaded.listing) {
    KeyWriter writer(host, config);
    writer.Text(keys::kListingSwitches, FormatListingSwitches(state->output.listing));
    writer.Commit();
  }
  if (records->user.before_compile != user_loaded.before_compile ||
      records->user.before_build != user_loaded.before_build ||
      records->user.after_build != user_loaded.after_build) {
    KeyWriter writer(host, config);
    writer.Text(keys::kBeforeCompile, records->user.before_compile);
    writer.Text(keys::kBeforeBuild, records->user.before_build);
    writer.Text(keys::kAfterBuild, records->user.after_build);
    writer.Commit();
  }
  if (DebugOptionRecord* host_debug = state->context.debug_record) {
    if (!SameDebug(state->debug, *host_debug))
      std::memcpy(host_debug, &state->debug, sizeof(state->debug));
  }
  if (!SameCompiler(records->compiler, compiler_loaded)) {
    WriteC51Record(host, c51_tool, records->compiler);
  }
  if (!SameAssembler(records->assembler, assembler_loaded)) {
    WriteA51Record(host, a51_tool, records->assembler);
  }
  if (!SameLinkerLocate(records->linker, linker_loaded)) {
    WriteLinkerLocateKeys(host, linker_tool, records->linker);
  }
  if (!SameLinkerMisc(records->linker, linker_loaded)) {
    WriteLinkerMiscKeys(host, linker_tool, records->linker);
  }
  return result;
}

}  // namespace c51::settings
