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
#include "settings/pages/page_factory.h"
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

// What a dialog below the project shows and writes: a group's has the
// Properties, C51 and A51 pages; a file's the Properties page and the
// page of the tool that translates it.
struct ScopeParts {
  bool group;
  bool compiler;
  bool assembler;
  OptionScope scope;
  const char* config_element;  // the scope's configuration node
};

ScopeParts PartsOf(ScopeDialog kind) {
  const bool group = kind == ScopeDialog::kGroup;
  return {group, group || kind == ScopeDialog::kCFile, group || kind == ScopeDialog::kAssemblyFile,
          group ? OptionScope::kGroup : OptionScope::kFile,
          group ? keys::kFilterConfiguration : keys::kFileConfiguration};
}

// What the dialog loaded: the write-back compares the pages' records with
// it and writes only what changed.
struct LoadedScope {
  FileRecord file;
  C51Record compiler;
  A51Record assembler;
};

// The scope's switches and bank, and its file's full path (empty for a
// group).
void LoadFileRecord(const PluginState& state, const ProjectNode* node,
                    const ProjectNode* scope_config, bool group, FileRecord* file) {
  file->include_in_build = IntOr(scope_config, keys::kIncludeInBuild, 2);
  file->gen_asm = IntOr(scope_config, keys::kGenerateAsm, 2);
  file->asm_asm = IntOr(scope_config, keys::kAssembleAsm, 2);
  file->bank = IntOr(scope_config, keys::kBankNumber, -1);
  file->full_path.clear();
  if (group) return;
  // Made absolute against the project folder as the system would, so the
  // page shows (and looks up) ".\src\main.c" as <project>\src\main.c.
  const char* relative = GetAttributeText(node, keys::kRelativePath);
  std::string path = relative ? relative : "";
  file->full_path = state.project_dir.empty()
                        ? path
                        : LexicalFullPath(path, state.project_dir, NativePathStyle());
}

// Loads what the scope inherits and its own records; the tool nodes the
// scope configuration lacks are created.
LoadedScope LoadScope(PluginState* state, ProjectNode* node, ProjectNode* scope_config,
                      ScopeDialog kind, const ScopeParts& parts, SettingsRecords* records) {
  HostServices* host = state->host;
  if (kind != ScopeDialog::kPlainFile) {
    CollectInherited(node, &state->configuration, &records->c51_inherited, &records->a51_inherited);
  }
  LoadFileRecord(*state, node, scope_config, parts.group, &records->file);
  if (parts.compiler) {
    records->compiler = ReadC51Record(ToolOf(host, scope_config, keys::kC51Tool), parts.scope);
    records->compiler_scope = parts.scope;
  }
  if (parts.assembler) {
    records->assembler = ReadA51Record(ToolOf(host, scope_config, keys::kA51Tool), parts.scope);
    records->assembler_scope = parts.scope;
  }
  return {records->file, records->compiler, records->assembler};
}

// The sheet over the scope's pages; kResultOk or kResultCancel.
int RunScopeSheet(PluginState* state, const ProjectNode* node, const ScopeParts& parts,
                  SettingsBackend* backend, SettingsRecords* records) {
  const Language language = backend ? backend->language() : state->language;
  std::string title =
      MessageText(parts.group ? MessageId::kFileGroupSettings : MessageId::kFileSettings, language);
  title += '"';
  title += LastPart(GetAttributeText(node, parts.group ? keys::kName : keys::kRelativePath));
  title += '"';
  // The boxes show what a build would take: the configuration as stored.
  const StoredConfiguration stored =
      ReadStoredConfiguration(*state, FindCurrentConfiguration(&state->configuration));
  SettingsSession session{state, records, state->context.default_clock, &stored};
  CArdelPropertySheet sheet(title);
  std::vector<std::unique_ptr<CArdelPage>> pages;
  pages.push_back(MakePage(PageKind::kProperties, &session));
  if (parts.compiler) pages.push_back(MakePage(PageKind::kC51, &session));
  if (parts.assembler) pages.push_back(MakePage(PageKind::kA51, &session));
  for (const auto& page : pages) sheet.AddPage(page.get());
  return sheet.DoModal(backend);
}

// The four switch keys into the scope's configuration, which is created
// when missing; false when there is none to write to.
bool WriteFileSwitches(PluginState* state, ProjectNode* node, ProjectNode* scope_config,
                       const ScopeParts& parts, const FileRecord& file) {
  HostServices* host = state->host;
  ConfigurationRef* ref = &state->configuration;
  if (scope_config == nullptr && host != nullptr && FindCurrentConfiguration(ref) != nullptr) {
    scope_config = host->AddChild(node, parts.config_element, ref->name.c_str());
  }
  if (scope_config == nullptr) return false;
  KeyWriter writer(host, scope_config);
  writer.Int(keys::kIncludeInBuild, file.include_in_build);
  writer.Int(keys::kGenerateAsm, file.gen_asm);
  writer.Int(keys::kAssembleAsm, file.asm_asm);
  writer.Int(keys::kBankNumber, file.bank);
  writer.Commit();
  return true;
}

// After OK: each group of keys the pages changed, then "LocalConfigure" on
// the scope node, "0" when all of it inherits again. A group that cannot
// be written ends the write-back there.
void WriteScope(PluginState* state, ProjectNode* node, ProjectNode* scope_config,
                const ScopeParts& parts, const LoadedScope& loaded,
                const SettingsRecords& records) {
  HostServices* host = state->host;
  ConfigurationRef* ref = &state->configuration;
  bool wrote = false;
  if (!SameFileSwitches(records.file, loaded.file)) {
    if (!WriteFileSwitches(state, node, scope_config, parts, records.file)) return;
    wrote = true;
  }
  if (parts.compiler && !SameCompiler(records.compiler, loaded.compiler)) {
    if (!StoreC51Record(host, node, ref, records.compiler)) return;
    wrote = true;
  }
  if (parts.assembler && !SameAssembler(records.assembler, loaded.assembler)) {
    if (!StoreA51Record(host, node, ref, records.assembler)) return;
    wrote = true;
  }
  if (!wrote) return;
  bool inherits = SwitchesInherit(records.file);
  if (parts.compiler) inherits = inherits && CompilerInherits(records.compiler);
  if (parts.assembler) inherits = inherits && AssemblerInherits(records.assembler);
  SetOneAttribute(host, node, keys::kLocalConfigure, inherits ? "0" : "1");
}

}  // namespace

int RunScopeDialog(PluginState* state, ProjectNode* node, ScopeDialog kind,
                   SettingsBackend* backend, SettingsRecords* records) {
  const ScopeParts parts = PartsOf(kind);
  ProjectNode* scope_config = parts.group ? FindGroupConfiguration(node, &state->configuration)
                                          : FindFileConfiguration(node, &state->configuration);
  const LoadedScope loaded = LoadScope(state, node, scope_config, kind, parts, records);
  if (RunScopeSheet(state, node, parts, backend, records) != kResultOk) return 0;
  WriteScope(state, node, scope_config, parts, loaded, *records);
  return 0;
}

}  // namespace c51::settings
