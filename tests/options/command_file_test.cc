#include "options/command_file.h"

#include <gtest/gtest.h>

#include <string>

#include "options/options_tree.h"
#include "project/config_keys.h"
#include "project/scope_walk.h"

namespace c51 {
namespace {

TEST(CommandFileTest, ObjectEntriesBankedOrCommon) {
  static const char kNoBank[] = "scope without BankNum";
  struct Case {
    const char* code_bank;
    const char* file_bank;   // the file's own "BankNum"; null: no file scope
    const char* group_bank;  // the group's; null: none stored
    const char* expected;
  } cases[] = {
      {"1,4,0x0000,0xFFFF,", "3", nullptr, "BANK3 {\"a.obj\"},\n"},
      {"1,4,0x0000,0xFFFF,", "4", nullptr, "\"a.obj\",\n"},
      {"1,4,0x0000,0xFFFF,", "-1", "2", "\"a.obj\",\n"},  // the file's own scope decides
      {"1,4,0x0000,0xFFFF,", "-7", nullptr, "\"a.obj\",\n"},
      {"1,4,0x0000,0xFFFF,", nullptr, "2", "BANK2 {\"a.obj\"},\n"},
      {"0,4,0x0000,0xFFFF,", "1", nullptr, "\"a.obj\",\n"},  // banking off
      {"1,4", "1", nullptr, "\"a.obj\",\n"},                 // one comma: no banking
      {"1,3,,,", "1", nullptr, "BANK1 {\"a.obj\"},\n"},      // count 3 reads as 2
      {"1,3,,,", "2", nullptr, "\"a.obj\",\n"},
      {"1,4,0x0000,0xFFFF,", "0", nullptr, "BANK0 {\"a.obj\"},\n"},
      {"1,64,0x0000,0xFFFF,", "63", nullptr, "BANK63 {\"a.obj\"},\n"},
      {"1,64,0x0000,0xFFFF,", "-5", nullptr, "\"a.obj\",\n"},
      {"1,4,0x0000,0xFFFF,", "2abc", nullptr, "BANK2 {\"a.obj\"},\n"},
      // A file scope without "BankNum" ends the search all the same.
      {"1,4,0x0000,0xFFFF,", kNoBank, "1", "\"a.obj\",\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code_bank) + " " + (c.file_bank ? c.file_bank : "-"));
    test::ProjectTree tree;
    SetAttributeText(tree.config, "CodeBank", c.code_bank);
    ProjectNode* group = test::AddNode(tree.files, "Filter", "g");
    ProjectNode* file = tree.File(group, "a.c");
    if (c.group_bank != nullptr) tree.ScopeConfig(group, {{"BankNum", c.group_bank}});
    if (c.file_bank == kNoBank) tree.ScopeConfig(file);
    if (c.file_bank != nullptr && c.file_bank != kNoBank) {
      tree.ScopeConfig(file, {{"BankNum", c.file_bank}});
    }
    std::string list = "x\n";
    AppendObjectEntry(&list, FindLocalConfiguration(file, &tree.ref),
                      ConfigurationBankCount(FindCurrentConfiguration(&tree.ref)), "a.obj");
    EXPECT_EQ(list, std::string("x\n") + c.expected);
  }
}

TEST(CommandFileTest, ProgramAndLibraryTexts) {
  CommandFileInputs inputs{".\\Debug\\", "demo", "\nRAMSIZE(256)\n"};
  EXPECT_EQ(BuildCommandFileText("\"a.obj\",\n", false, inputs),
            "\"a.obj\" \nTO \".\\Debug\\demo\"\n\nRAMSIZE(256)\n");
  EXPECT_EQ(BuildCommandFileText("\"a.obj\",\nBANK1 {\"b.obj\"},\n", false, inputs),
            "\"a.obj\",\nBANK1 {\"b.obj\"} \nTO \".\\Debug\\demo\"\n\nRAMSIZE(256)\n");
  EXPECT_EQ(BuildCommandFileText("\"a.obj\",\n\"C:\\x.lib\",\n", true, inputs),
            "TRANSFER \n\"a.obj\",\n\"C:\\x.lib\" \nTO \".\\Debug\\demo.lib\"\n");
  // The library and the command file are named after the output name's
  // title; lists not made by AppendObjectEntry are left as they are.
  inputs = {"", "fw.v2", "\n"};
  EXPECT_EQ(BuildCommandFileText("\"a.obj\",\n", true, inputs),
            "TRANSFER \n\"a.obj\" \nTO \"fw.lib\"\n");
  EXPECT_EQ(BuildCommandFileText("", true, inputs), "TRANSFER \nTO \"fw.lib\"\n");
  EXPECT_EQ(BuildCommandFileText("\n", false, inputs), "\nTO \"fw.v2\"\n\n");
  EXPECT_EQ(CommandFilePath(".\\Debug\\", "fw.v2"), ".\\Debug\\fw.lnp");
}

}  // namespace
}  // namespace c51
