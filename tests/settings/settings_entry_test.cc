// The settings entry over an in-memory tree: which dialog a node opens,
// what is loaded, and which groups of keys are written after OK. The
// pages' own logic is tested with each page; here a script stands in for
// what the pages store.
#include "settings/settings_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/options_tree.h"
#include "platform/path.h"
#include "plugin/state.h"
#include "settings/headless/headless_backend.h"
#include "settings/inherited_context.h"
#include "settings/pages/target_page.h"

namespace c51::settings {
namespace {

using test::AddNode;
using test::ProjectTree;
using test::RecordingServices;

const bool kWindows = NativePathStyle() == PathStyle::kWindows;

class SettingsEntryTest : public ::testing::Test {
 protected:
  SettingsEntryTest() {
    state_.host = &host_;
    state_.configuration = tree_.ref;
    state_.context.default_clock = &clock_;
    state_.context.project_path = "/p/demo.cvproj";
    state_.project_dir = kWindows ? "C:\\p" : "/p";
    SetAttributeText(tree_.root.get(), "Name", "demo");
    // The target texts in the form the Target page stores them, as a
    // configuration saved by an earlier dialog holds them.
    SetAttributeText(tree_.config, "OCM51", kNoRanges);
    SetAttributeText(tree_.config, "OCR51", kNoRanges);
    SetAttributeText(tree_.config, "CodeBank", "0,2,0x0000,0xFFFF,");
  }
  static constexpr const char* kNoRanges =
      "{ 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0 }";
  // Runs the dialog of `node`; `script` acts as the user and the pages.
  int Show(ProjectNode* node, std::function<void(HeadlessSheet&, SettingsRecords&)> script) {
    SettingsRecords& records = ProcessSettingsRecords();
    backend_.sheet_script = [&](HeadlessSheet& run) {
      ++runs_;
      if (script) script(run, records);
    };
    return ShowSettings(&state_, node, &backend_);
  }
  // Only the writes, without the creations.
  std::vector<std::string> Updates() const {
    std::vector<std::string> updates;
    for (const std::string& call : host_.calls) {
      if (call.rfind("UpdateNode", 0) == 0) updates.push_back(call);
    }
    return updates;
  }

  ProjectTree tree_;
  RecordingServices host_;
  PluginState state_;
  double clock_ = 12.0;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  int runs_ = 0;
};

TEST(FileDialogForTest, ExtensionsChooseTheDialog) {
  struct Case {
    const char* path;
    ScopeDialog dialog;
  } cases[] = {
      {".\\main.c", ScopeDialog::kCFile},
      {".\\MAIN.C", ScopeDialog::kCFile},
      {".\\start.A51", ScopeDialog::kAssemblyFile},
      {"x.asm", ScopeDialog::kAssemblyFile},
      {"gen.SRC", ScopeDialog::kAssemblyFile},
      {"reg.h", ScopeDialog::kPlainFile},
      {"notes", ScopeDialog::kPlainFile},
      {".\\dir.c\\readme", ScopeDialog::kPlainFile},
      {"x.cc", ScopeDialog::kPlainFile},
      {"x.", ScopeDialog::kPlainFile},
      {nullptr, ScopeDialog::kPlainFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path ? c.path : "<null>");
    EXPECT_EQ(FileDialogFor(c.path), c.dialog);
  }
}

TEST_F(SettingsEntryTest, NodesThatOpenNothing) {
  EXPECT_EQ(Show(nullptr, nullptr), 2);
  EXPECT_EQ(Show(tree_.config, nullptr), 0);
  EXPECT_EQ(runs_, 0);
  // A project without a current configuration shows nothing.
  state_.configuration.name = "Release";
  EXPECT_EQ(Show(tree_.root.get(), nullptr), 0);
  EXPECT_EQ(runs_, 0);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(SettingsEntryTest, ProjectDialogOkWithoutChangesWritesNothing) {
  int pages = 0, first = -1;
  std::string title;
  EXPECT_EQ(Show(tree_.root.get(),
                 [&](HeadlessSheet& run, SettingsRecords&) {
                   pages = run.page_count();
                   first = run.active_index();
                   EXPECT_TRUE(run.PressOk());
                 }),
            0);
  EXPECT_EQ(pages, 10);
  EXPECT_EQ(first, 1);
  // The missing tool nodes are created at once, and nothing else happens.
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"AddChild Tool C51Tool", "AddChild Tool A51Tool",
                                                   "AddChild Tool Lx51Tool"}));
  EXPECT_EQ(clock_, 12.0);
}

TEST_F(SettingsEntryTest, ChangingTheClockWritesTheTargetKeysAndTheHostClock) {
  Show(tree_.root.get(), [&](HeadlessSheet& run, SettingsRecords&) {
    ASSERT_TRUE(run.active().Type(IDC_TARGET_XTAL, "11.0592"));
    run.PressOk();
  });
  std::vector<std::string> updates = Updates();
  ASSERT_EQ(updates.size(), 1u);
  EXPECT_EQ(updates[0].rfind("UpdateNode Configuration: CodeMode=2 MemMode=0 RTOS=0 T51FL=0", 0),
            0u)
      << updates[0];
  EXPECT_NE(updates[0].find("SIMCLK=11.0592"), std::string::npos) << updates[0];
  EXPECT_EQ(clock_, 11.0592);
}

TEST_F(SettingsEntryTest, ProjectGroupsOfKeysAreWrittenOnlyWhenChangedAndNotAfterCancel) {
  Show(tree_.root.get(), [&](HeadlessSheet& run, SettingsRecords& records) {
    records.compiler.define = "DEBUG";
    records.linker.overlay = "main ! func";
    state_.output.listing[kLstLinkerMap] = 1;
    records.user.after_build = "1?copy?0??";
    run.PressCancel();
  });
  EXPECT_TRUE(Updates().empty());
  Show(tree_.root.get(), [&](HeadlessSheet& run, SettingsRecords& records) {
    records.compiler.define = "DEBUG";
    records.linker.overlay = "main ! func";
    state_.output.listing[kLstLinkerMap] = 1;
    records.user.after_build = "1?copy?0??";
    run.PressOk();
  });
  std::vector<std::string> updates = Updates();
  ASSERT_EQ(updates.size(), 4u);
  EXPECT_EQ(updates[0].rfind("UpdateNode Configuration: OPTLT=0,0,0,0,0,0,0,0,0,0,0,0,1,", 0), 0u);
  EXPECT_EQ(updates[1], "UpdateNode Configuration: BeforeCmp= BeforeBuild= AfterBuild=1?copy?0??");
  EXPECT_NE(updates[2].find("C51DEF=DEBUG"), std::string::npos) << updates[2];
  EXPECT_EQ(updates[3].rfind("UpdateNode Tool: LX51OVL=main ! func", 0), 0u) << updates[3];
}

TEST_F(SettingsEntryTest, MissingLayoutTextsKeepWhatTheLastDialogLoaded) {
  SetAttributeText(tree_.config, "OCM51",
                   "{ 0,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0 }");
  Show(tree_.root.get(), [](HeadlessSheet& run, SettingsRecords&) { run.PressCancel(); });
  // Another configuration without the key.
  AddNode(tree_.config->parent, "Configuration", "Release");
  state_.configuration.name = "Release";
  std::string loaded;
  Show(tree_.root.get(), [&](HeadlessSheet& run, SettingsRecords& records) {
    loaded = records.target_loaded.ocm51;
    run.PressCancel();
  });
  EXPECT_EQ(loaded, "{ 0,0,0,0,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0 }");
}

TEST_F(SettingsEntryTest, PlainFileBankOnlyCreatesItsConfiguration) {
  ProjectNode* file = tree_.File(tree_.files, ".\\notes.txt");
  SetAttributeText(tree_.config, "CodeBank", "1,4,0x0000,0xFFFF,");
  int pages = 0;
  Show(file, [&](HeadlessSheet& run, SettingsRecords& records) {
    pages = run.page_count();
    EXPECT_EQ(records.file.full_path, kWindows ? "C:\\p\\notes.txt" : "/p/notes.txt");
    EXPECT_TRUE(run.active().ChooseText(1003, "Bank #3"));
    run.PressOk();
  });
  EXPECT_EQ(pages, 1);
  EXPECT_EQ(host_.calls, (std::vector<std::string>{
                             "AddChild FileConfiguration Debug",
                             "UpdateNode FileConfiguration: IncBld=2 GenAsm=2 AsmAsm=2 BankNum=3",
                             "UpdateNode File: LocalConfigure=0"}));
}

// The file's path on its Properties page: absolute against the project
// folder, with "." and ".." resolved, in the platform's form.
TEST_F(SettingsEntryTest, TheFilePathIsResolvedAgainstTheProjectFolder) {
  struct Case {
    const char* relative_path;
    const char* posix;
    const char* windows;
  } cases[] = {
      {".\\src\\main.c", "/p/src/main.c", "C:\\p\\src\\main.c"},
      {"src\\..\\main.c", "/p/main.c", "C:\\p\\main.c"},
      {"..\\lib\\.\\util.c", "/lib/util.c", "C:\\lib\\util.c"},
      {"notes.txt", "/p/notes.txt", "C:\\p\\notes.txt"},
      {kWindows ? "D:\\q\\.\\x.a51" : "/q/./x.a51", "/q/x.a51", "D:\\q\\x.a51"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.relative_path);
    ProjectNode* file = tree_.File(tree_.files, c.relative_path);
    std::string shown;
    Show(file, [&](HeadlessSheet& run, SettingsRecords&) {
      shown = run.active().GetText(1315);  // "Path:"
      run.PressCancel();
    });
    EXPECT_EQ(shown, kWindows ? c.windows : c.posix);
  }
}

TEST_F(SettingsEntryTest, GroupCompilerChangeCreatesScopeAndMarksLocalConfigure) {
  ProjectNode* group = AddNode(tree_.files, "Filter", "App\\Core");
  Show(group, [&](HeadlessSheet& run, SettingsRecords& records) {
    EXPECT_EQ(run.page_count(), 3);
    EXPECT_EQ(records.compiler_scope, OptionScope::kGroup);
    EXPECT_EQ(records.compiler.flags, kC51InheritFlags);
    records.compiler.define = "FAST";
    run.PressOk();
  });
  ASSERT_GE(host_.calls.size(), 3u);
  EXPECT_EQ(host_.calls.front(), "AddChild FilterConfiguration Debug");
  EXPECT_EQ(host_.calls.back(), "UpdateNode Filter: LocalConfigure=1");
  EXPECT_STREQ(GetAttributeText(group, "LocalConfigure"), "1");
  EXPECT_STREQ(
      GetAttributeText(FindToolNode(FirstChildNamed(group, "FilterConfiguration"), "C51Tool"),
                       "C51DEF"),
      "FAST");
}

TEST_F(SettingsEntryTest, AHostThatCannotCreateTheScopeStopsTheWrites) {
  ProjectNode* file = tree_.File(tree_.files, ".\\main.c");
  host_.fail_add_child = true;
  Show(file, [&](HeadlessSheet& run, SettingsRecords& records) {
    EXPECT_TRUE(run.active().Click(1318));  // "include" from inherit to no
    records.compiler.define = "X";
    run.PressOk();
  });
  EXPECT_TRUE(Updates().empty());
  EXPECT_EQ(GetAttributeText(file, "LocalConfigure"), nullptr);
}

TEST_F(SettingsEntryTest, TitlesNameTheScope) {
  ProjectNode* group = AddNode(tree_.files, "Filter", "Lib");
  ProjectNode* file = tree_.File(group, ".\\src\\main.c");
  std::vector<std::string> titles;
  for (ProjectNode* node : {tree_.root.get(), group, file}) {
    Show(node, [&](HeadlessSheet& run, SettingsRecords&) {
      titles.push_back(run.title());
      run.PressCancel();
    });
  }
  // "配置目标工程 ", "配置文件组 ", "配置文件 " (configure project, file group, file)
  EXPECT_EQ(titles,
            (std::vector<std::string>{"\xC5\xE4\xD6\xC3\xC4\xBF\xB1\xEA\xB9\xA4\xB3\xCC \"demo\"",
                                      "\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE\xD7\xE9 \"Lib\"",
                                      "\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE \"main.c\""}));
}

TEST(InheritedContextTest, NearestGroupValuesWinAndTextsJoin) {
  ProjectTree tree;
  ProjectNode* outer = AddNode(tree.files, "Filter", "outer");
  ProjectNode* inner = AddNode(outer, "Filter", "inner");
  ProjectNode* file = tree.File(inner, ".\\a.c");
  tree.Tool(nullptr, "C51Tool", {{"C51FL", "1234"}, {"C51DEF", "P"}, {"INCC5", "pinc"}});
  tree.Tool(outer, "C51Tool", {{"C51FL", "77"}, {"C51DEF", "OUT"}, {"INCC5", "o"}});
  tree.ScopeConfig(outer, {{"GenAsm", "1"}});
  tree.Tool(inner, "C51Tool", {{"C51FL", "9347754"}, {"C51DEF", "IN"}, {"INCC5", "i"}});
  tree.ScopeConfig(inner, {{"GenAsm", "2"}});
  tree.Tool(inner, "A51Tool", {{"A51FL", "5"}, {"A51SET", "S"}});
  C51Inherited c51;
  A51Inherited a51;
  CollectInherited(file, &tree.ref, &c51, &a51);
  EXPECT_EQ(c51.group_flags, 77);  // the inner group inherits
  EXPECT_EQ(c51.gen_asm, 1);
  EXPECT_EQ(c51.group_define, "IN OUT");
  EXPECT_EQ(c51.group_include, "i;o");
  EXPECT_EQ(c51.project_flags, 1234);
  EXPECT_EQ(c51.project_define, "P");
  EXPECT_EQ(a51.group_flags, 5);
  EXPECT_EQ(a51.group_set, "S");
  EXPECT_EQ(a51.project_flags, kA51ProjectFlags);
}

}  // namespace
}  // namespace c51::settings
