// The group and file dialogs: the scope's own configuration, created only
// when something is written; what the scope inherits; "LocalConfigure"
// on the scope node after a write.
#include <memory>
#include <string>
#include <vector>

#include "options/tool_scope.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"
#include "settings/ardel_property_sheet.h"
#include "settings/display_inputs.h"
#include "settings/inherited_context.h"
#include "settings/page_factory.h"
#include "settings/record_compare.h"
#include "settings/settings_backend.h"
#include "settings/settings_entry.h"

namespace c51::settings {
namespace {

int IntOr(const ProjectNode* node, const char* key, int fallback) {
  int value = fallback;
  return GetAttributeInt(node, key, &value) ? value : fallback;
}

// The text after the last "\".
std::string LastPart(const char* text) {
  std::string s = text ? text : "";
  size_t slash = s.rfind('\\');
  return slash == std::string::npos ? s : s.substr(slash + 1);
}

bool CompilerInherits(const C51Record& r) {
  return r.flags == kC51InheritFlags && r.vector_address == 0 && r.define.empty() &&
         r.undefine.empty() && r.misc.empty() && r.include.empty();
}

bool AssemblerInherits(const A51Record& r) {
  return r.flags == kA51InheritFlags && r.set.empty() && r.reset.empty() && r.misc.empty() &&
         r.include.empty();
}

bool SwitchesInherit(const FileRecord& r) {
  return r.include_in_build == 2 && r.gen_asm == 2 && r.asm_asm == 2;
}

// The scope's tool node, created at once when the scope configuration
// exists but lacks it.
ProjectNode* ToolOf(HostServices* host, ProjectNode* scope_config, const char* tool) {
  if (scope_config == nullptr) return nullptr;
  ProjectNode* node = FindToolNode(scope_config, tool);
  if (node == nullptr && host != nullptr) node = host->AddChild(scope_config, keys::kTool, tool);
  return node;
}

}  // namespace

int RunScopeDialog(PluginState* state, ProjectNode* node, ScopeDialog kind,
                   SettingsBackend* backend, SettingsRecords* records) {
  ConfigurationRef* ref = &state->configuration;
  HostServices* host = state->host;
  const bool group = kind == ScopeDialog::kGroup;
  const bool compiler = group || kind == ScopeDialog::kCFile;
  const bool assembler = group || kind == ScopeDialog::kAssemblyFile;
  const OptionScope scope = group ? OptionScope::kGroup : OptionScope::kFile;
  const char* config_element = group ? "FilterConfiguration" : "FileConfiguration";
  const Language language = backend ? backend->language() : state->language;

  ProjectNode* scope_config =
      group ? FindGroupConfiguration(node, ref) : FindFileConfiguration(node, ref);
  std::string title =
      MessageText(group ? MessageId::kFileGroupSettings : MessageId::kFileSettings, language);
  title += '"';
  title += LastPart(GetAttributeText(node, group ? keys::kName : keys::kRelativePath));
  title += '"';

  // Load.
  if (kind != ScopeDialog::kPlainFile) {
    CollectInherited(node, ref, &records->c51_inherited, &records->a51_inherited);
  }
  FileRecord& file = records->file;
  file.include_in_build = IntOr(scope_config, keys::kIncludeInBuild, 2);
  file.gen_asm = IntOr(scope_config, keys::kGenerateAsm, 2);
  file.asm_asm = IntOr(scope_config, keys::kAssembleAsm, 2);
  file.bank = IntOr(scope_config, keys::kBankNumber, -1);
  file.full_path.clear();
  if (!group) {
    // Made absolute against the project folder as the system would, so the
    // page shows (and looks up) ".\src\main.c" as <project>\src\main.c.
    const char* relative = GetAttributeText(node, keys::kRelativePath);
    std::string path = relative ? relative : "";
    file.full_path = state->project_dir.empty()
                         ? path
                         : LexicalFullPath(path, state->project_dir, NativePathStyle());
  }
  const FileRecord file_loaded = file;
  if (compiler) {
    records->compiler = ReadC51Record(ToolOf(host, scope_config, keys::kC51Tool), scope);
    records->compiler_scope = scope;
  }
  if (assembler) {
    records->assembler = ReadA51Record(ToolOf(host, scope_config, keys::kA51Tool), scope);
    records->assembler_scope = scope;
  }
  const C51Record compiler_loaded = records->compiler;
  const A51Record assembler_loaded = records->assembler;

  // The sheet.
  // The boxes show what a build would take: the configuration as stored.
  const StoredConfiguration stored = ReadStoredConfiguration(*state, FindCurrentConfiguration(ref));
  SettingsSession session{state, records, state->context.default_clock, &stored};
  CArdelPropertySheet sheet(title);
  std::vector<std::unique_ptr<CArdelPage>> pages;
  pages.push_back(MakePage(PageKind::kProperties, &session));
  if (compiler) pages.push_back(MakePage(PageKind::kC51, &session));
  if (assembler) pages.push_back(MakePage(PageKind::kA51, &session));
  for (const auto& page : pages) sheet.AddPage(page.get());
  if (sheet.DoModal(backend) != kResultOk) return 0;

  // Write back.
  bool wrote = false;
  if (!SameFileSwitches(file, file_loaded)) {
    if (scope_config == nullptr && host != nullptr && FindCurrentConfiguration(ref) != nullptr) {
      scope_config = host->AddChild(node, config_element, ref->name.c_str());
    }
    if (scope_config == nullptr) return 0;
    KeyWriter writer(host, scope_config);
    writer.Int(keys::kIncludeInBuild, file.include_in_build);
    writer.Int(keys::kGenerateAsm, file.gen_asm);
    writer.Int(keys::kAssembleAsm, file.asm_asm);
    writer.Int(keys::kBankNumber, file.bank);
    writer.Commit();
    wrote = true;
  }
  if (compiler && !SameCompiler(records->compiler, compiler_loaded)) {
    if (!StoreC51Record(host, node, ref, records->compiler)) return 0;
    wrote = true;
  }
  if (assembler && !SameAssembler(records->assembler, assembler_loaded)) {
    if (!StoreA51Record(host, node, ref, records->assembler)) return 0;
    wrote = true;
  }
  if (wrote) {
    bool inherits = SwitchesInherit(file);
    if (compiler) inherits = inherits && CompilerInherits(records->compiler);
    if (assembler) inherits = inherits && AssemblerInherits(records->assembler);
    SetOneAttribute(host, node, keys::kLocalConfigure, inherits ? "0" : "1");
  }
  return 0;
}

}  // namespace c51::settings
