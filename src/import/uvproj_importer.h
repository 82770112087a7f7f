// The uVision 4 project importer: one "Configuration" per target with its
// output kind, user commands, code banking and compiler, assembler and
// linker options, and the first target's groups and files as "Filter" and
// "File" nodes.
//
// The reading is strict: every element it expects must be there, in
// uVision's order (MarkupDoc only searches forward). Each failed check is
// reported on the import diagnostics channel and the step fails; nodes
// made before the failure stay in the project.
#ifndef C51_IMPORT_UVPROJ_IMPORTER_H_
#define C51_IMPORT_UVPROJ_IMPORTER_H_

#include <initializer_list>
#include <string>
#include <vector>

#include "markup/markup_doc.h"

namespace c51 {

struct PluginState;
struct ProjectNode;

// Enters the current child of `doc` when made and leaves it when it goes
// out of scope, so that every step, early returns included, leaves the
// document positioned as it found it.
class ElemScope {
 public:
  explicit ElemScope(MarkupDoc* doc) : doc_(doc), entered_(doc->EnterElem()) {}
  ~ElemScope() {
    if (entered_) doc_->LeaveElem();
  }
  ElemScope(const ElemScope&) = delete;
  ElemScope& operator=(const ElemScope&) = delete;

 private:
  MarkupDoc* doc_;
  bool entered_;
};

// The three user-command texts of a target, in the "BeforeCmp" form.
struct UserCommandTexts {
  std::string beforeCompile;
  std::string beforeMake;
  std::string afterMake;
};

class UvprojImporter {
 public:
  // `state` supplies the host services, the message box and the defaults
  // of a new configuration; `root` is the host's project root.
  UvprojImporter(PluginState* state, ProjectNode* root, std::string project_path);

  // Reads the project and its options file. True with `*current_target`
  // naming the configuration to make current; false after the error has
  // been shown in a message box.
  bool Import(std::string* current_target);

  // The message shown for the last failure; empty after a success.
  const std::string& error_text() const { return error_; }

 private:
  bool import_targets();
  bool import_options();
  bool import_target_option();
  bool import_output();
  bool import_user();
  bool import_user_help(std::string* text, const char* find_what);
  bool import_misc();
  bool import_c();
  bool import_asm();
  bool import_link();
  bool save_options();
  bool import_groups();
  bool import_group(ProjectNode* parent, int depth);
  bool import_files(ProjectNode* filter);

  // FindChildElem(name) and its data; false when there is no such child.
  bool ReadChild(const char* name, std::string* data);
  // The same with the data's decimal value (0 when it starts with no digit).
  bool ReadChildInt(const char* name, int* value);
  // One HostUpdateNode call setting the pairs on `target`, in order.
  struct Attribute {
    const char* name;
    std::string value;
  };
  void Store(ProjectNode* target, const std::vector<Attribute>& attributes);

  PluginState* state_;
  ProjectNode* root_;
  ProjectNode* m_pcfgs = nullptr;  // "Configurations", made on first use
  std::string m_sPrjName;          // full path of the ".uvproj"
  MarkupDoc m_xml;
  std::string error_;        // the first failure's message; empty until then
  std::string target_name_;  // the target being read
  std::string current_;      // the configuration to make current
  bool current_known_ = false;

  // What one target carries from reading to save_options.
  int gen_app_ = 1;
  int gen_lib_ = 0;
  UserCommandTexts m_user;
  std::string code_bank_;
  // "MemoryModel" and "RomSize" (0 small, 1 compact, 2 large); -1 when the
  // file has none, so the new configuration's stay.
  int memory_model_ = -1;
  int rom_size_ = -1;
  int c51_flags_ = 0;
  int c51_vector_ = 0;
  std::string c51_define_, c51_undefine_, c51_misc_, c51_include_;
  int a51_flags_ = 0;
  std::string a51_set_, a51_reset_, a51_misc_, a51_include_;
  int lx51_flags_ = 0;
  // In the order of the "Lx51Tool" keys: COB, XDB, PDB, BIB, DAB, IDB,
  // PRC, STK, COS, XDS, BIS, DAS, IDS, OVL, MSC, DWN.
  std::string lx51_texts_[16];
};

}  // namespace c51

#endif  // C51_IMPORT_UVPROJ_IMPORTER_H_
