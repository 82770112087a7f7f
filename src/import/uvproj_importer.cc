#include "import/uvproj_importer.h"

#include <cstdint>
#include <iterator>
#include <string_view>
#include <utility>

#include "import/import_check.h"
#include "import/import_names.h"
#include "import/uvopt_reader.h"
#include "plugin/default_configuration.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "project/key_names.h"
#include "project/key_writer.h"
#include "project/node.h"
#include "project/scopes.h"

// The check texts name each step and element as the import diagnostics
// have always named them: users send these lines in, and the texts are
// matched against earlier reports, so they stay as they are where the
// code's own names have changed.
//
// A required child element: reports the check text the file's reader
// names it by and fails the step when it is missing.
#define C51_READ_CHILD(name, out) \
  C51_IMPORT_CHECK(ReadChild(name, out), "m_xml.FindChildElem( \"" name "\" )")
#define C51_READ_CHILD_INT(name, out) \
  C51_IMPORT_CHECK(ReadChildInt(name, out), "m_xml.FindChildElem( \"" name "\" )")
#define C51_FIND_CHILD(name) \
  C51_IMPORT_CHECK(xml_.FindChildElem(name), "m_xml.FindChildElem( \"" name "\" )")

namespace c51 {
namespace {

// Nested groups are read recursively; this bounds the recursion so that a
// hostile file cannot exhaust the stack. uVision itself nests far less.
constexpr int kMaxGroupDepth = 256;

// The exact first line that marks a project of the supported schema.
constexpr const char kUvprojHeader[] = "### uVision Project, (C) Keil Software";

// The flag words keep uVision's values without range checks; summed in 64
// bits and wrapped to 32 so that absurd values give a defined result.
int WrapToInt(int64_t value) {
  return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

}  // namespace

UvprojImporter::UvprojImporter(PluginState* state, ProjectNode* root, std::string project_path)
    : state_(state), root_(root), project_path_(std::move(project_path)) {}

bool UvprojImporter::Import(std::string* current_target) {
  failed_ = false;
  ReadUvoptCurrentTarget(project_path_, &current_);
  if (!ImportTargets()) {
    Fail(MessageId::kProjectKindNotSupported);
    return false;
  }
  if (!ImportGroups()) {
    Fail(MessageId::kImportFileInfoFailed);
    return false;
  }
  *current_target = current_;
  return true;
}

void UvprojImporter::Fail(MessageId error) {
  // The first failure names the cause; the steps above it only fail along.
  if (failed_) return;
  failed_ = true;
  error_ = error;
}

bool UvprojImporter::ReadChild(const char* name, std::string* data) {
  if (!xml_.FindChildElem(name)) return false;
  *data = xml_.GetChildData();
  return true;
}

bool UvprojImporter::ReadChildInt(const char* name, int* value) {
  std::string data;
  if (!ReadChild(name, &data)) return false;
  *value = ParseInt(data.c_str());
  return true;
}

// ---- Targets ----

bool UvprojImporter::ImportTargets() {
  if (!xml_.Load(project_path_)) {
    // A damaged file is not a broken expectation: no check line.
    Fail(MessageId::kProjectFileDamaged);
    return false;
  }
  C51_IMPORT_CHECK(xml_.FindElem("Project"), "m_xml.FindElem( \"Project\" )");
  C51_FIND_CHILD("Header");
  C51_IMPORT_CHECK(kUvprojHeader == xml_.GetChildData(),
                   "\"### uVision Project, (C) Keil Software\"==m_xml.GetChildData()");
  C51_FIND_CHILD("Targets");
  ElemScope targets(&xml_);
  for (int number = 1; xml_.FindChildElem("Target"); ++number) {
    if (!ImportableTarget(number)) continue;
    ElemScope target(&xml_);
    target_ = UvprojTarget();
    C51_READ_CHILD("TargetName", &target_.name);
    // Without a current target in the options file the first one wins.
    if (current_.empty()) current_ = target_.name;
    C51_FIND_CHILD("TargetOption");
    {
      ElemScope option(&xml_);
      C51_IMPORT_CHECK(ImportOptions(), "import_options()");
    }
    C51_IMPORT_CHECK(SaveOptions(), "save_options()");
  }
  return true;
}

bool UvprojImporter::ImportOptions() {
  C51_FIND_CHILD("TargetCommonOption");
  {
    ElemScope common(&xml_);
    C51_IMPORT_CHECK(ImportTargetOption(), "import_target_option()");
  }
  C51_FIND_CHILD("Target51");
  ElemScope target51(&xml_);
  C51_FIND_CHILD("Target51Misc");
  {
    ElemScope misc(&xml_);
    C51_IMPORT_CHECK(ImportMisc(), "import_misc()");
  }
  C51_FIND_CHILD("C51");
  {
    ElemScope c51(&xml_);
    C51_IMPORT_CHECK(ImportCompiler(), "import_c()");
  }
  C51_FIND_CHILD("Ax51");
  {
    ElemScope ax51(&xml_);
    C51_IMPORT_CHECK(ImportAssembler(), "import_asm()");
  }
  C51_FIND_CHILD("Lx51");
  ElemScope lx51(&xml_);
  C51_IMPORT_CHECK(ImportLinker(), "import_link()");
  return true;
}

bool UvprojImporter::ImportTargetOption() {
  C51_IMPORT_CHECK(ImportOutput(), "import_output()");
  C51_IMPORT_CHECK(ImportUser(), "import_user()");
  return true;
}

bool UvprojImporter::ImportOutput() {
  std::string executable;
  C51_IMPORT_CHECK(ReadChild("CreateExecutable", &executable),
                   "m_xml.FindChildElem(\"CreateExecutable\")");
  target_.executable = executable == "1";
  return true;
}

bool UvprojImporter::ImportUser() {
  C51_IMPORT_CHECK(ImportUserCommands("BeforeCompile", &target_.before_compile),
                   "import_user_help(m_user.beforeCompile, \"BeforeCompile\")");
  C51_IMPORT_CHECK(ImportUserCommands("BeforeMake", &target_.before_make),
                   "import_user_help(m_user.beforeMake, \"BeforeMake\")");
  C51_IMPORT_CHECK(ImportUserCommands("AfterMake", &target_.after_make),
                   "import_user_help(m_user.afterMake, \"AfterMake\")");
  return true;
}

bool UvprojImporter::ImportUserCommands(const char* element, UserCommands* commands) {
  C51_IMPORT_CHECK(xml_.FindChildElem(element), "m_xml.FindChildElem( find_what )");
  ElemScope scope(&xml_);
  // The children come in no fixed order; a repeated name keeps the last.
  // Only the four names read are kept, so that a flood of other children
  // costs neither memory nor copies of their data.
  static constexpr std::string_view kNames[] = {"RunUserProg1", "UserProg1Name", "RunUserProg2",
                                                "UserProg2Name"};
  std::string values[std::size(kNames)];
  while (xml_.FindChildElem()) {
    std::string_view child = xml_.GetChildName();
    for (size_t i = 0; i < std::size(kNames); ++i) {
      if (child == kNames[i]) values[i] = xml_.GetChildData();
    }
  }
  *commands = UserCommands{values[0] == "1", values[1], values[2] == "1", values[3]};
  return true;
}

bool UvprojImporter::ImportMisc() {
  int use_cb = 0;
  int banks = 0;
  std::string start, size;
  // Both come before "useCB" and may be missing; a read that finds nothing
  // leaves the position where it was.
  target_.memory_model = target_.rom_size = -1;
  int model = 0;
  if (ReadChildInt("MemoryModel", &model) && model >= 0 && model <= 2) target_.memory_model = model;
  if (ReadChildInt("RomSize", &model) && model >= 0 && model <= 2) target_.rom_size = model;
  C51_READ_CHILD_INT("useCB", &use_cb);
  C51_READ_CHILD_INT("cBanks", &banks);
  // uVision stores the bank count as a shift: 0 => 2 banks ... 5 => 64.
  if (banks > 5 || banks < 0) banks = 0;
  C51_FIND_CHILD("OnChipMemories");
  ElemScope memories(&xml_);
  C51_FIND_CHILD("RCB");
  ElemScope rcb(&xml_);
  C51_READ_CHILD("StartAddress", &start);
  C51_READ_CHILD("Size", &size);
  target_.code_bank = FormatCodeBank(use_cb, FormatInt(2 << banks), start, size);
  return true;
}

bool UvprojImporter::ImportCompiler() {
  int coloring = 0, in_order = 0, promotion = 0, aregs = 0, use_vector = 0, fuzzy = 0, optimize = 0,
      warnings = 0, size_speed = 0;
  C51Record& record = target_.compiler;
  C51_READ_CHILD_INT("RegisterColoring", &coloring);
  C51_READ_CHILD_INT("VariablesInOrder", &in_order);
  C51_READ_CHILD_INT("IntegerPromotion", &promotion);
  C51_READ_CHILD_INT("uAregs", &aregs);
  C51_READ_CHILD_INT("UseInterruptVector", &use_vector);
  C51_READ_CHILD_INT("Fuzzy", &fuzzy);
  C51_READ_CHILD_INT("Optimize", &optimize);
  C51_READ_CHILD_INT("WarningLevel", &warnings);
  C51_READ_CHILD_INT("SizeSpeed", &size_speed);
  C51_READ_CHILD_INT("InterruptVectorAddress", &record.vector_address);
  // uVision's values go into the fields of the "C51FL" word unchecked.
  record.flags = WrapToInt(int64_t{coloring} + int64_t{in_order} * 4 + int64_t{promotion} * 16 +
                           int64_t{aregs} * 64 + int64_t{use_vector} * 256 + int64_t{fuzzy} * 1024 +
                           int64_t{optimize} * 16384 + int64_t{warnings} * 262144 +
                           int64_t{size_speed} * 4194304);
  C51_IMPORT_CHECK(xml_.FindChildElem("VariousControls"),
                   "m_xml.FindChildElem(\"VariousControls\")");
  ElemScope controls(&xml_);
  C51_READ_CHILD("MiscControls", &record.misc);
  C51_READ_CHILD("Define", &record.define);
  C51_READ_CHILD("Undefine", &record.undefine);
  C51_READ_CHILD("IncludePath", &record.include);
  return true;
}

bool UvprojImporter::ImportAssembler() {
  int mpl = 0, standard = 0, mod51 = 0;
  A51Record& record = target_.assembler;
  C51_READ_CHILD_INT("UseMpl", &mpl);
  C51_READ_CHILD_INT("UseStandard", &standard);
  C51_READ_CHILD_INT("UseMod51", &mod51);
  // uVision's "use the 8051 module" off means our SFR names on.
  record.flags = WrapToInt(int64_t{mpl} + int64_t{standard} * 4 + (mod51 == 0 ? 64 : 0));
  C51_IMPORT_CHECK(xml_.FindChildElem("VariousControls"),
                   "m_xml.FindChildElem(\"VariousControls\")");
  ElemScope controls(&xml_);
  C51_READ_CHILD("MiscControls", &record.misc);
  C51_READ_CHILD("Define", &record.set);
  C51_READ_CHILD("Undefine", &record.reset);
  C51_READ_CHILD("IncludePath", &record.include);
  return true;
}

bool UvprojImporter::ImportLinker() {
  int from_target = 0;
  LinkerOptions& options = target_.linker;
  C51_READ_CHILD_INT("UseMemoryFromTarget", &from_target);
  options.flags = WrapToInt(int64_t{from_target} * 4);
  C51_READ_CHILD("OverlayString", &options.overlay);
  C51_READ_CHILD("MiscControls", &options.misc);
  C51_READ_CHILD("DisableWarningNumbers", &options.disable_warnings);
  C51_READ_CHILD("CodeBaseAddress", &options.code_base);
  C51_READ_CHILD("XDataBaseAddress", &options.xdata_base);
  C51_READ_CHILD("PDataBaseAddress", &options.pdata_base);
  C51_READ_CHILD("BitBaseAddress", &options.bit_base);
  C51_READ_CHILD("DataBaseAddress", &options.data_base);
  C51_READ_CHILD("IDataBaseAddress", &options.idata_base);
  C51_READ_CHILD("Precede", &options.precede);
  C51_READ_CHILD("Stack", &options.stack);
  C51_READ_CHILD("CodeSegmentName", &options.code_segments);
  C51_READ_CHILD("XDataSegmentName", &options.xdata_segments);
  C51_READ_CHILD("BitSegmentName", &options.bit_segments);
  C51_READ_CHILD("DataSegmentName", &options.data_segments);
  C51_READ_CHILD("IDataSegmentName", &options.idata_segments);
  return true;
}

bool UvprojImporter::SaveOptions() {
  HostServices* host = state_->host;
  if (!configurations_) configurations_ = host->AddChild(root_, keys::kConfigurations, nullptr);
  C51_IMPORT_CHECK(configurations_, "m_pcfgs");
  ProjectNode* config = host->AddChild(configurations_, keys::kConfiguration, nullptr);
  C51_IMPORT_CHECK(config, "pNode");
  {
    KeyWriter name(host, config);
    name.Text(keys::kName, target_.name);
    name.Commit();
  }
  CreateDefaultConfiguration(state_, config);
  KeepDefaultFoldersInside(host, config);
  {
    KeyWriter target(host, config);
    target.Text(keys::kCodeBank, target_.code_bank);
    if (target_.memory_model >= 0) target.Int(keys::kMemMode, target_.memory_model);
    if (target_.rom_size >= 0) target.Int(keys::kCodeMode, target_.rom_size);
    target.Commit();
  }
  WriteUserCommandKeys(host, config, target_.before_compile, target_.before_make,
                       target_.after_make);

  ProjectNode* compiler = FindToolNode(config, keys::kC51Tool);
  C51_IMPORT_CHECK(compiler, "pC51");
  WriteC51Record(host, compiler, target_.compiler);

  ProjectNode* assembler = FindToolNode(config, keys::kA51Tool);
  C51_IMPORT_CHECK(assembler, "pA51");
  WriteA51Record(host, assembler, target_.assembler);

  ProjectNode* linker = FindToolNode(config, keys::kLx51Tool);
  C51_IMPORT_CHECK(linker, "pLink");
  WriteLinkerOptions(host, linker, target_.linker);

  KeyWriter output(host, config);
  output.Int(keys::kCreateExecutable, target_.executable ? 1 : 0);
  output.Int(keys::kCreateLibrary, target_.executable ? 0 : 1);
  output.Commit();
  return true;
}

// ---- Groups and files (first target only) ----

bool UvprojImporter::LeftOutOfBuild() {
  ElemScope option(&xml_);
  if (!xml_.FindChildElem("CommonProperty")) return false;
  ElemScope common(&xml_);
  std::string include;
  return ReadChild("IncludeInBuild", &include) && include == "0";
}

void UvprojImporter::LeaveOutOfBuild(ProjectNode* node, const char* scope) {
  if (groups_target_.empty()) return;
  ProjectNode* config = state_->host->AddChild(node, scope, nullptr);
  if (!config) return;
  SetOneAttribute(state_->host, config, keys::kName, groups_target_.c_str());
  SetOneAttribute(state_->host, config, keys::kIncludeInBuild, "0");
}

bool UvprojImporter::ImportGroups() {
  xml_.RewindPos();
  C51_IMPORT_CHECK(xml_.FindElem("Project"), "m_xml.FindElem( \"Project\" )");
  C51_FIND_CHILD("Targets");
  ElemScope targets(&xml_);
  C51_FIND_CHILD("Target");
  ElemScope target(&xml_);
  // The groups' and files' build switches are this target's.
  ReadChild("TargetName", &groups_target_);
  C51_FIND_CHILD("Groups");
  ProjectNode* files = state_->host->AddChild(root_, keys::kFiles, nullptr);
  C51_IMPORT_CHECK(files, "pFiles");
  ElemScope groups(&xml_);
  while (xml_.FindChildElem("Group"))
    C51_IMPORT_CHECK(ImportGroup(files, 1, false), "import_group(pFiles)");
  return true;
}

bool UvprojImporter::ImportGroup(ProjectNode* parent, int depth, bool left_out) {
  ElemScope element(&xml_);
  std::string name;
  C51_READ_CHILD("GroupName", &name);
  ProjectNode* group = state_->host->AddChild(parent, keys::kFilter, name.c_str());
  C51_IMPORT_CHECK(group, "pFilter");
  while (xml_.FindChildElem()) {
    std::string_view child = xml_.GetChildName();
    if (child == "Files") {
      C51_IMPORT_CHECK(ImportFiles(group, left_out), "import_files(pFilter)");
    } else if (child == "Group" && depth < kMaxGroupDepth) {
      C51_IMPORT_CHECK(ImportGroup(group, depth + 1, left_out), "import_group(pFilter)");
    } else if (child == "GroupOption") {
      // A group's own options, like a file's, are not taken over but for
      // one: a group left out of the build stays out of it.
      // Its files get the switch too: a group's scope speaks for a file
      // only once the file has a scope of its own.
      if (LeftOutOfBuild()) {
        LeaveOutOfBuild(group, keys::kFilterConfiguration);
        left_out = true;
      }
    } else {
      // Anything else a later uVision adds: not ours.
      C51_IMPORT_CHECK(false, "false");
    }
  }
  return true;
}

bool UvprojImporter::ImportFiles(ProjectNode* group, bool left_out) {
  ElemScope files(&xml_);
  while (xml_.FindChildElem("File")) {
    ElemScope file(&xml_);
    std::string ignored, path;
    C51_READ_CHILD("FileName", &ignored);
    C51_READ_CHILD("FileType", &ignored);
    C51_READ_CHILD("FilePath", &path);
    if (!ImportableSourceName(path)) continue;
    ProjectNode* node = state_->host->AddChild(group, keys::kFile, nullptr);
    if (node) SetOneAttribute(state_->host, node, keys::kRelativePath, path.c_str());
    // Per-file options are not taken over but for one: a file left out of
    // the build (an old copy, a document) stays out of it.
    const bool file_left_out = xml_.FindChildElem("FileOption") && LeftOutOfBuild();
    if (node && (left_out || file_left_out)) LeaveOutOfBuild(node, keys::kFileConfiguration);
  }
  return true;
}

}  // namespace c51
