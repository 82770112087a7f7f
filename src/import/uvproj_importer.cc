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
#include "project/node.h"
#include "project/scopes.h"
#include "support/messages.h"

// A required child element: reports the check text the file's reader
// names it by and fails the step when it is missing.
#define C51_READ_CHILD(name, out) \
  C51_IMPORT_CHECK(ReadChild(name, out), "m_xml.FindChildElem( \"" name "\" )")
#define C51_READ_CHILD_INT(name, out) \
  C51_IMPORT_CHECK(ReadChildInt(name, out), "m_xml.FindChildElem( \"" name "\" )")

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

// "1", "?", command, "?" twice over: the "BeforeCmp" text form.
std::string UserCommandText(bool run1, const std::string& command1, bool run2,
                            const std::string& command2) {
  std::string text;
  text += run1 ? "1?" : "0?";
  text += command1 + "?";
  text += run2 ? "1?" : "0?";
  text += command2 + "?";
  return text;
}

enum LinkerText {
  kCob,
  kXdb,
  kPdb,
  kBib,
  kDab,
  kIdb,
  kPrc,
  kStk,
  kCos,
  kXds,
  kBis,
  kDas,
  kIds,
  kOvl,
  kMsc,
  kDwn,
};
constexpr const char* kLinkerKeys[] = {
    "LX51COB", "LX51XDB", "LX51PDB", "LX51BIB", "LX51DAB", "LX51IDB", "LX51PRC", "LX51STK",
    "LX51COS", "LX51XDS", "LX51BIS", "LX51DAS", "LX51IDS", "LX51OVL", "LX51MSC", "LX51DWN",
};

}  // namespace

UvprojImporter::UvprojImporter(PluginState* state, ProjectNode* root, std::string project_path)
    : state_(state), root_(root), m_sPrjName(std::move(project_path)) {}

bool UvprojImporter::Import(std::string* current_target) {
  error_.clear();
  current_known_ = ReadUvoptCurrentTarget(m_sPrjName, &current_);
  bool ok = import_targets();
  if (!ok) {
    if (error_.empty()) error_ = MessageText(MessageId::kProjectKindNotSupported, state_->language);
  } else if (!(ok = import_groups())) {
    if (error_.empty()) error_ = MessageText(MessageId::kImportFileInfoFailed, state_->language);
  }
  if (!ok) {
    if (state_->ui) state_->ui->ShowMessage(error_, "", MessageIcon::kNone, MessageButtons::kOk);
    return false;
  }
  *current_target = current_;
  return true;
}

bool UvprojImporter::ReadChild(const char* name, std::string* data) {
  if (!m_xml.FindChildElem(name)) return false;
  *data = m_xml.GetChildData();
  return true;
}

bool UvprojImporter::ReadChildInt(const char* name, int* value) {
  std::string data;
  if (!ReadChild(name, &data)) return false;
  *value = ParseInt(data.c_str());
  return true;
}

void UvprojImporter::Store(ProjectNode* target, const std::vector<Attribute>& attributes) {
  NodePtr detached = CreateDetachedNode(NodeName(target));
  if (!detached) return;
  for (const Attribute& attribute : attributes)
    SetAttributeText(detached.get(), attribute.name, attribute.value.c_str());
  state_->host->UpdateNode(target, detached.get());
}

// ---- Targets ----

bool UvprojImporter::import_targets() {
  if (!m_xml.Load(m_sPrjName)) {
    // A damaged file is not a broken expectation: no check line.
    error_ = MessageText(MessageId::kProjectFileDamaged, state_->language);
    return false;
  }
  C51_IMPORT_CHECK(m_xml.FindElem("Project"), "m_xml.FindElem( \"Project\" )");
  C51_IMPORT_CHECK(m_xml.FindChildElem("Header"), "m_xml.FindChildElem( \"Header\" )");
  C51_IMPORT_CHECK(kUvprojHeader == m_xml.GetChildData(),
                   "\"### uVision Project, (C) Keil Software\"==m_xml.GetChildData()");
  C51_IMPORT_CHECK(m_xml.FindChildElem("Targets"), "m_xml.FindChildElem( \"Targets\" )");
  ElemScope targets(&m_xml);
  for (int number = 1; m_xml.FindChildElem("Target"); ++number) {
    if (!ImportableTarget(number)) continue;
    ElemScope target(&m_xml);
    C51_IMPORT_CHECK(ReadChild("TargetName", &target_name_),
                     "m_xml.FindChildElem( \"TargetName\" )");
    // Without a current target in the options file the first one wins.
    if (current_.empty()) current_ = target_name_;
    C51_IMPORT_CHECK(m_xml.FindChildElem("TargetOption"),
                     "m_xml.FindChildElem( \"TargetOption\" )");
    {
      ElemScope option(&m_xml);
      C51_IMPORT_CHECK(import_options(), "import_options()");
    }
    C51_IMPORT_CHECK(save_options(), "save_options()");
  }
  return true;
}

bool UvprojImporter::import_options() {
  C51_IMPORT_CHECK(m_xml.FindChildElem("TargetCommonOption"),
                   "m_xml.FindChildElem( \"TargetCommonOption\" )");
  {
    ElemScope common(&m_xml);
    C51_IMPORT_CHECK(import_target_option(), "import_target_option()");
  }
  C51_IMPORT_CHECK(m_xml.FindChildElem("Target51"), "m_xml.FindChildElem( \"Target51\" )");
  ElemScope target51(&m_xml);
  C51_IMPORT_CHECK(m_xml.FindChildElem("Target51Misc"), "m_xml.FindChildElem( \"Target51Misc\" )");
  {
    ElemScope misc(&m_xml);
    C51_IMPORT_CHECK(import_misc(), "import_misc()");
  }
  C51_IMPORT_CHECK(m_xml.FindChildElem("C51"), "m_xml.FindChildElem( \"C51\" )");
  {
    ElemScope c51(&m_xml);
    C51_IMPORT_CHECK(import_c(), "import_c()");
  }
  C51_IMPORT_CHECK(m_xml.FindChildElem("Ax51"), "m_xml.FindChildElem( \"Ax51\" )");
  {
    ElemScope ax51(&m_xml);
    C51_IMPORT_CHECK(import_asm(), "import_asm()");
  }
  C51_IMPORT_CHECK(m_xml.FindChildElem("Lx51"), "m_xml.FindChildElem( \"Lx51\" )");
  ElemScope lx51(&m_xml);
  C51_IMPORT_CHECK(import_link(), "import_link()");
  return true;
}

bool UvprojImporter::import_target_option() {
  C51_IMPORT_CHECK(import_output(), "import_output()");
  C51_IMPORT_CHECK(import_user(), "import_user()");
  return true;
}

bool UvprojImporter::import_output() {
  gen_app_ = 0;
  gen_lib_ = 0;
  std::string executable;
  C51_IMPORT_CHECK(ReadChild("CreateExecutable", &executable),
                   "m_xml.FindChildElem(\"CreateExecutable\")");
  if (executable == "1")
    gen_app_ = 1;
  else
    gen_lib_ = 1;
  return true;
}

bool UvprojImporter::import_user() {
  C51_IMPORT_CHECK(import_user_help(&m_user.beforeCompile, "BeforeCompile"),
                   "import_user_help(m_user.beforeCompile, \"BeforeCompile\")");
  C51_IMPORT_CHECK(import_user_help(&m_user.beforeMake, "BeforeMake"),
                   "import_user_help(m_user.beforeMake, \"BeforeMake\")");
  C51_IMPORT_CHECK(import_user_help(&m_user.afterMake, "AfterMake"),
                   "import_user_help(m_user.afterMake, \"AfterMake\")");
  return true;
}

bool UvprojImporter::import_user_help(std::string* text, const char* find_what) {
  C51_IMPORT_CHECK(m_xml.FindChildElem(find_what), "m_xml.FindChildElem( find_what )");
  ElemScope scope(&m_xml);
  // The children come in no fixed order; a repeated name keeps the last.
  // Only the four names read are kept, so that a flood of other children
  // costs neither memory nor copies of their data.
  static constexpr std::string_view kNames[] = {"RunUserProg1", "UserProg1Name", "RunUserProg2",
                                                "UserProg2Name"};
  std::string values[std::size(kNames)];
  while (m_xml.FindChildElem()) {
    std::string_view child = m_xml.GetChildName();
    for (size_t i = 0; i < std::size(kNames); ++i) {
      if (child == kNames[i]) values[i] = m_xml.GetChildData();
    }
  }
  *text = UserCommandText(values[0] == "1", values[1], values[2] == "1", values[3]);
  return true;
}

bool UvprojImporter::import_misc() {
  int use_cb = 0;
  int banks = 0;
  std::string start, size;
  // Both come before "useCB" and may be missing; a read that finds nothing
  // leaves the position where it was.
  memory_model_ = rom_size_ = -1;
  int model = 0;
  if (ReadChildInt("MemoryModel", &model) && model >= 0 && model <= 2) memory_model_ = model;
  if (ReadChildInt("RomSize", &model) && model >= 0 && model <= 2) rom_size_ = model;
  C51_READ_CHILD_INT("useCB", &use_cb);
  C51_READ_CHILD_INT("cBanks", &banks);
  // uVision stores the bank count as a shift: 0 => 2 banks ... 5 => 64.
  if (banks > 5 || banks < 0) banks = 0;
  C51_IMPORT_CHECK(m_xml.FindChildElem("OnChipMemories"),
                   "m_xml.FindChildElem( \"OnChipMemories\" )");
  ElemScope memories(&m_xml);
  C51_IMPORT_CHECK(m_xml.FindChildElem("RCB"), "m_xml.FindChildElem( \"RCB\" )");
  ElemScope rcb(&m_xml);
  C51_READ_CHILD("StartAddress", &start);
  C51_READ_CHILD("Size", &size);
  code_bank_ = FormatInt(use_cb) + "," + FormatInt(2 << banks) + "," + start + "," + size + ",";
  return true;
}

bool UvprojImporter::import_c() {
  int coloring = 0, in_order = 0, promotion = 0, aregs = 0, use_vector = 0, fuzzy = 0, optimize = 0,
      warnings = 0, size_speed = 0, vector_address = 0;
  C51_READ_CHILD_INT("RegisterColoring", &coloring);
  C51_READ_CHILD_INT("VariablesInOrder", &in_order);
  C51_READ_CHILD_INT("IntegerPromotion", &promotion);
  C51_READ_CHILD_INT("uAregs", &aregs);
  C51_READ_CHILD_INT("UseInterruptVector", &use_vector);
  C51_READ_CHILD_INT("Fuzzy", &fuzzy);
  C51_READ_CHILD_INT("Optimize", &optimize);
  C51_READ_CHILD_INT("WarningLevel", &warnings);
  C51_READ_CHILD_INT("SizeSpeed", &size_speed);
  C51_READ_CHILD_INT("InterruptVectorAddress", &vector_address);
  c51_flags_ = WrapToInt(int64_t{coloring} + int64_t{in_order} * 4 + int64_t{promotion} * 16 +
                         int64_t{aregs} * 64 + int64_t{use_vector} * 256 + int64_t{fuzzy} * 1024 +
                         int64_t{optimize} * 16384 + int64_t{warnings} * 262144 +
                         int64_t{size_speed} * 4194304);
  c51_vector_ = vector_address;
  C51_IMPORT_CHECK(m_xml.FindChildElem("VariousControls"),
                   "m_xml.FindChildElem(\"VariousControls\")");
  ElemScope controls(&m_xml);
  C51_READ_CHILD("MiscControls", &c51_misc_);
  C51_READ_CHILD("Define", &c51_define_);
  C51_READ_CHILD("Undefine", &c51_undefine_);
  C51_READ_CHILD("IncludePath", &c51_include_);
  return true;
}

bool UvprojImporter::import_asm() {
  int mpl = 0, standard = 0, mod51 = 0;
  C51_READ_CHILD_INT("UseMpl", &mpl);
  C51_READ_CHILD_INT("UseStandard", &standard);
  C51_READ_CHILD_INT("UseMod51", &mod51);
  // uVision's "use the 8051 module" off means our SFR names on.
  a51_flags_ = WrapToInt(int64_t{mpl} + int64_t{standard} * 4 + (mod51 == 0 ? 64 : 0));
  C51_IMPORT_CHECK(m_xml.FindChildElem("VariousControls"),
                   "m_xml.FindChildElem(\"VariousControls\")");
  ElemScope controls(&m_xml);
  C51_READ_CHILD("MiscControls", &a51_misc_);
  C51_READ_CHILD("Define", &a51_set_);
  C51_READ_CHILD("Undefine", &a51_reset_);
  C51_READ_CHILD("IncludePath", &a51_include_);
  return true;
}

bool UvprojImporter::import_link() {
  int from_target = 0;
  C51_READ_CHILD_INT("UseMemoryFromTarget", &from_target);
  lx51_flags_ = WrapToInt(int64_t{from_target} * 4);
  std::string* texts = lx51_texts_;
  C51_READ_CHILD("OverlayString", &texts[kOvl]);
  C51_READ_CHILD("MiscControls", &texts[kMsc]);
  C51_READ_CHILD("DisableWarningNumbers", &texts[kDwn]);
  C51_READ_CHILD("CodeBaseAddress", &texts[kCob]);
  C51_READ_CHILD("XDataBaseAddress", &texts[kXdb]);
  C51_READ_CHILD("PDataBaseAddress", &texts[kPdb]);
  C51_READ_CHILD("BitBaseAddress", &texts[kBib]);
  C51_READ_CHILD("DataBaseAddress", &texts[kDab]);
  C51_READ_CHILD("IDataBaseAddress", &texts[kIdb]);
  C51_READ_CHILD("Precede", &texts[kPrc]);
  C51_READ_CHILD("Stack", &texts[kStk]);
  C51_READ_CHILD("CodeSegmentName", &texts[kCos]);
  C51_READ_CHILD("XDataSegmentName", &texts[kXds]);
  C51_READ_CHILD("BitSegmentName", &texts[kBis]);
  C51_READ_CHILD("DataSegmentName", &texts[kDas]);
  C51_READ_CHILD("IDataSegmentName", &texts[kIds]);
  return true;
}

bool UvprojImporter::save_options() {
  HostServices* host = state_->host;
  if (!m_pcfgs) m_pcfgs = host->AddChild(root_, keys::kConfigurations, nullptr);
  C51_IMPORT_CHECK(m_pcfgs, "m_pcfgs");
  ProjectNode* pNode = host->AddChild(m_pcfgs, keys::kConfiguration, nullptr);
  C51_IMPORT_CHECK(pNode, "pNode");
  Store(pNode, {{keys::kName, target_name_}});
  CreateDefaultConfiguration(state_, pNode);
  KeepDefaultFoldersInside(host, pNode);
  std::vector<Attribute> target = {{keys::kCodeBank, code_bank_}};
  if (memory_model_ >= 0) target.emplace_back(keys::kMemMode, FormatInt(memory_model_));
  if (rom_size_ >= 0) target.emplace_back(keys::kCodeMode, FormatInt(rom_size_));
  Store(pNode, target);
  Store(pNode, {{keys::kBeforeCompile, m_user.beforeCompile},
                {keys::kBeforeBuild, m_user.beforeMake},
                {keys::kAfterBuild, m_user.afterMake}});

  ProjectNode* pC51 = FindToolNode(pNode, keys::kC51Tool);
  C51_IMPORT_CHECK(pC51, "pC51");
  Store(pC51, {{keys::kC51Flags, FormatInt(c51_flags_)},
               {keys::kC51VectorAddress, FormatInt(c51_vector_)},
               {keys::kC51Define, c51_define_},
               {keys::kC51Undefine, c51_undefine_},
               {keys::kC51Misc, c51_misc_},
               {keys::kC51Include, c51_include_}});

  ProjectNode* pA51 = FindToolNode(pNode, keys::kA51Tool);
  C51_IMPORT_CHECK(pA51, "pA51");
  Store(pA51, {{keys::kA51Flags, FormatInt(a51_flags_)},
               {keys::kA51Set, a51_set_},
               {keys::kA51Reset, a51_reset_},
               {keys::kA51Misc, a51_misc_},
               {keys::kA51Include, a51_include_}});

  ProjectNode* pLink = FindToolNode(pNode, keys::kLx51Tool);
  C51_IMPORT_CHECK(pLink, "pLink");
  NodePtr linker = CreateDetachedNode(NodeName(pLink));
  if (linker) {
    SetAttributeInt(linker.get(), keys::kLx51Flags, lx51_flags_);
    for (int i = kCob; i <= kDwn; ++i)
      SetAttributeText(linker.get(), kLinkerKeys[i], lx51_texts_[i].c_str());
    host->UpdateNode(pLink, linker.get());
  }

  Store(pNode, {{keys::kCreateExecutable, FormatInt(gen_app_)},
                {keys::kCreateLibrary, FormatInt(gen_lib_)}});
  return true;
}

// ---- Groups and files (first target only) ----

bool UvprojImporter::import_groups() {
  m_xml.RewindPos();
  C51_IMPORT_CHECK(m_xml.FindElem("Project"), "m_xml.FindElem( \"Project\" )");
  C51_IMPORT_CHECK(m_xml.FindChildElem("Targets"), "m_xml.FindChildElem( \"Targets\" )");
  ElemScope targets(&m_xml);
  C51_IMPORT_CHECK(m_xml.FindChildElem("Target"), "m_xml.FindChildElem( \"Target\" )");
  ElemScope target(&m_xml);
  C51_IMPORT_CHECK(m_xml.FindChildElem("Groups"), "m_xml.FindChildElem( \"Groups\" )");
  ProjectNode* pFiles = state_->host->AddChild(root_, keys::kFiles, nullptr);
  C51_IMPORT_CHECK(pFiles, "pFiles");
  ElemScope groups(&m_xml);
  while (m_xml.FindChildElem("Group"))
    C51_IMPORT_CHECK(import_group(pFiles, 1), "import_group(pFiles)");
  return true;
}

bool UvprojImporter::import_group(ProjectNode* parent, int depth) {
  ElemScope group(&m_xml);
  std::string name;
  C51_IMPORT_CHECK(ReadChild("GroupName", &name), "m_xml.FindChildElem( \"GroupName\" )");
  ProjectNode* pFilter = state_->host->AddChild(parent, keys::kFilter, name.c_str());
  C51_IMPORT_CHECK(pFilter, "pFilter");
  while (m_xml.FindChildElem()) {
    std::string_view child = m_xml.GetChildName();
    if (child == "Files") {
      C51_IMPORT_CHECK(import_files(pFilter), "import_files(pFilter)");
    } else if (child == "Group" && depth < kMaxGroupDepth) {
      C51_IMPORT_CHECK(import_group(pFilter, depth + 1), "import_group(pFilter)");
    } else {
      // Group options and anything else a later uVision adds: not ours.
      C51_IMPORT_CHECK(false, "false");
    }
  }
  return true;
}

bool UvprojImporter::import_files(ProjectNode* filter) {
  ElemScope files(&m_xml);
  while (m_xml.FindChildElem("File")) {
    ElemScope file(&m_xml);
    std::string ignored, path;
    C51_IMPORT_CHECK(ReadChild("FileName", &ignored), "m_xml.FindChildElem( \"FileName\" )");
    C51_IMPORT_CHECK(ReadChild("FileType", &ignored), "m_xml.FindChildElem( \"FileType\" )");
    C51_IMPORT_CHECK(ReadChild("FilePath", &path), "m_xml.FindChildElem( \"FilePath\" )");
    if (!ImportableSourceName(path)) continue;
    ProjectNode* node = state_->host->AddChild(filter, keys::kFile, nullptr);
    if (node) Store(node, {{keys::kRelativePath, path}});
    // Per-file options are not taken over; the element is only stepped past.
    m_xml.FindChildElem("FileOption");
  }
  return true;
}

}  // namespace c51
