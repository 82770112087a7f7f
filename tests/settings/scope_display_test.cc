// The compiler and assembler boxes of the group and file dialogs are
// composed from the configuration as stored, whatever the plug-in's own
// target and output records hold (nothing in a fresh process, a cancelled
// project dialog's edits in a long one).
#include <gtest/gtest.h>

#include <string>

#include "options/options_tree.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "settings/headless/headless_backend.h"
#include "settings/pages/a51_page.h"
#include "settings/pages/c51_page.h"
#include "settings/settings_entry.h"

namespace c51::settings {
namespace {

using test::AddNode;
using test::ProjectTree;
using test::RecordingServices;

// The project folder, and a folder in it as the configuration's opening
// derives it: absolute, in the platform's separators.
const bool kWindows = NativePathStyle() == PathStyle::kWindows;
const std::string kProjectDir = kWindows ? "C:\\p" : "/p";
std::string Absolute(const std::string& folder) {
  const char separator = kWindows ? '\\' : '/';
  return kProjectDir + separator + folder + separator;
}

class ScopeDisplayTest : public ::testing::Test {
 protected:
  ScopeDisplayTest() {
    state_.host = &host_;
    state_.configuration = tree_.ref;
    state_.context.default_clock = &clock_;
    state_.context.project_path = "demo.cvproj";
    state_.project_dir = kProjectDir;
    // Register coloring on, so that REGFILE shows; compiler and assembler
    // listings on, as the build would write them.
    tree_.Tool(nullptr, "C51Tool", {{"C51FL", "4853009"}});
    SetAttributeText(tree_.config, "OPTLT", "1,1,0,0,0,0,1,1,1,0,0,0,0,0,0,0,0,0,0,0");
    group_ = AddNode(tree_.files, "Filter", "App");
    file_ = tree_.File(group_, ".\\src\\main.c");
    asm_file_ = tree_.File(group_, ".\\src\\start.a51");
  }

  // The text of the box `box` on the page with template `page` of the
  // dialog of `node`.
  std::string Box(ProjectNode* node, int page, int box) {
    std::string text = "<page not found>";
    backend_.sheet_script = [&](HeadlessSheet& run) {
      for (int i = 0; i < run.page_count(); ++i) {
        if (run.page(i)->template_id() != page) continue;
        if (run.SelectPage(i)) text = run.active().GetText(box);
      }
      run.PressCancel();
    };
    ShowSettings(&state_, node, &backend_);
    return text;
  }

  ProjectTree tree_;
  RecordingServices host_;
  PluginState state_;
  double clock_ = 12.0;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  ProjectNode* group_;
  ProjectNode* file_;
  ProjectNode* asm_file_;
};

TEST_F(ScopeDisplayTest, BoxesBelowTheProjectShowTheStoredConfiguration) {
  // What the last project dialog left, which the boxes must not show.
  state_.output.output_directory = ".\\stale\\";
  state_.output.output_name = "stale";
  state_.output.listing_directory = ".\\stale\\";
  state_.target.mem_mode = 2;
  struct Case {
    const char* output_directory;  // null: not stored
    const char* output_name;
    const char* gen_asm;  // the group's "GenAsm"
    const char* regfile;  // the folder under the project folder, and the name
    const char* c51;      // the compiler boxes of the file and the group, after REGFILE
    const char* a51;      // the assembler boxes of the assembly file and the group
  } cases[] = {
      {nullptr, nullptr, "2", "Debug|demo",
       "DEBUG OBJECTEXTEND PRINT(.\\Debug\\*.lst) OBJECT(.\\Debug\\*.obj) ",
       "SET (SMALL) DEBUG PRINT(.\\Debug\\*.lst) OBJECT(.\\Debug\\*.obj) EP "},
      {".\\out\\", "blinky", "2", "out|blinky",
       "DEBUG OBJECTEXTEND PRINT(.\\Debug\\*.lst) OBJECT(.\\out\\*.obj) ",
       "SET (SMALL) DEBUG PRINT(.\\Debug\\*.lst) OBJECT(.\\out\\*.obj) EP "},
      // Compiled to assembly source: the group says so, the file inherits it.
      {nullptr, nullptr, "1", "out|blinky",
       "DEBUG OBJECTEXTEND PRINT(.\\Debug\\*.lst) SRC(.\\out\\*.src) ",
       "SET (SMALL) DEBUG PRINT(.\\Debug\\*.lst) OBJECT(.\\out\\*.obj) EP "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.regfile) + " GenAsm " + c.gen_asm);
    if (c.output_directory) SetAttributeText(tree_.config, "OutputDirectory", c.output_directory);
    if (c.output_name) SetAttributeText(tree_.config, "OutputName", c.output_name);
    tree_.ScopeConfig(group_, {{"GenAsm", c.gen_asm}});
    const std::string regfile = c.regfile;
    const size_t bar = regfile.find('|');
    const std::string c51 =
        "REGFILE (" + Absolute(regfile.substr(0, bar)) + regfile.substr(bar + 1) + ".ORG) " + c.c51;
    EXPECT_EQ(Box(file_, IDD_C51_PAGE, IDC_C51_CONTROL_STRING), c51);
    EXPECT_EQ(Box(group_, IDD_C51_PAGE, IDC_C51_CONTROL_STRING), c51);
    EXPECT_EQ(Box(asm_file_, IDD_A51_PAGE, IDC_A51_CONTROL_STRING), c.a51);
    EXPECT_EQ(Box(group_, IDD_A51_PAGE, IDC_A51_CONTROL_STRING), c.a51);
  }
}

}  // namespace
}  // namespace c51::settings
