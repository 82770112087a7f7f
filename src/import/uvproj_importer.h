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

#include <string>

#include "markup/markup_doc.h"
#include "options/a51_options.h"
#include "options/c51_options.h"
#include "options/linker_options.h"
#include "project/config_keys.h"
#include "support/messages.h"

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

// What one target carries from its reading to SaveOptions, in the records
// the plug-in stores them with.
struct UvprojTarget {
  std::string name;
  bool executable = true;  // "GENAPP" 1, else "GENLIB" 1
  UserCommands before_compile;
  UserCommands before_make;
  UserCommands after_make;
  std::string code_bank;  // "CodeBank"
  // "MemMode" and "CodeMode" (0 small, 1 compact, 2 large); -1 when the
  // file has none, so the new configuration's stay.
  int memory_model = -1;
  int rom_size = -1;
  C51Record compiler;
  A51Record assembler;
  LinkerOptions linker;
};

class UvprojImporter {
 public:
  // `state` supplies the host services and the defaults of a new
  // configuration; `root` is the host's project root.
  UvprojImporter(PluginState* state, ProjectNode* root, std::string project_path);

  // Reads the project and its options file. True with `*current_target`
  // naming the configuration to make current; false with error() saying
  // what to tell the user.
  bool Import(std::string* current_target);

  // The first failure's message; meaningful after Import returned false.
  MessageId error() const { return error_; }

 private:
  bool ImportTargets();
  bool ImportOptions();
  bool ImportTargetOption();
  bool ImportOutput();
  bool ImportUser();
  bool ImportUserCommands(const char* element, UserCommands* commands);
  bool ImportMisc();
  bool ImportCompiler();
  bool ImportAssembler();
  bool ImportLinker();
  bool SaveOptions();
  bool ImportGroups();
  // `left_out`: an enclosing group is left out of the build.
  bool ImportGroup(ProjectNode* parent, int depth, bool left_out);
  bool ImportFiles(ProjectNode* group, bool left_out);

  // FindChildElem(name) and its data; false when there is no such child.
  bool ReadChild(const char* name, std::string* data);
  // The same with the data's decimal value (0 when it starts with no digit).
  bool ReadChildInt(const char* name, int* value);
  // The group's or file's option element (the current child) says it is
  // not built; that target's scope of `node` then says so too.
  bool LeftOutOfBuild();
  void LeaveOutOfBuild(ProjectNode* node, const char* scope);
  void Fail(MessageId error);

  PluginState* state_;
  ProjectNode* root_;
  ProjectNode* configurations_ = nullptr;  // "Configurations", made on first use
  std::string project_path_;               // full path of the ".uvproj"
  MarkupDoc xml_;
  bool failed_ = false;
  MessageId error_ = MessageId::kProjectKindNotSupported;  // the first failure's
  std::string current_;                                    // the configuration to make current
  UvprojTarget target_;                                    // the target being read
  std::string groups_target_;  // the target whose groups and files are imported
};

}  // namespace c51

#endif  // C51_IMPORT_UVPROJ_IMPORTER_H_
