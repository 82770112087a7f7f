// The include path text through the "Folder Setup" dialog: split into
// items on open, rebuilt on OK, untouched on Cancel.
#include "settings/folder_setup_dialog.h"

#include <gtest/gtest.h>

#include "settings/headless_backend.h"

namespace c51::settings {
namespace {

using Items = std::vector<std::string>;

TEST(FolderSetupTest, SplitAndJoin) {
  struct Case {
    std::string text;
    Items items;
    std::string joined;
  } cases[] = {
      {"", {}, ""},
      {"inc;..\\lib", {"inc", "..\\lib"}, "inc\\;..\\lib\\"},
      {"inc\\;", {"inc\\"}, "inc\\"},
      {"a;;b", {"a", "", "b"}, "a\\;b\\"},
      {";a", {"", "a"}, "a\\"},
      {";", {""}, ""},
      {"C:\\Keil\\C51\\INC\\", {"C:\\Keil\\C51\\INC\\"}, "C:\\Keil\\C51\\INC\\"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(SplitIncludePaths(c.text), c.items);
    EXPECT_EQ(JoinIncludePaths(c.items), c.joined);
  }
}

TEST(FolderSetupTest, OkRebuildsTheTextCancelKeepsIt) {
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kChinese);
  backend.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    HeadlessDialog& c = run.controls();
    ASSERT_EQ(c.GetItemCount(kIdFolderList), 2);
    EXPECT_EQ(c.GetItemText(kIdFolderList, 1), "two");
    c.AddItem(kIdFolderList, "three\\");
    run.PressOk();
  });
  backend.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    run.controls().ResetItems(kIdFolderList);
    run.PressCancel();
  });
  std::string text = "one;two";
  EXPECT_TRUE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "one\\;two\\;three\\");
  EXPECT_FALSE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "one\\;two\\;three\\");
}

}  // namespace
}  // namespace c51::settings
