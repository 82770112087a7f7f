// The include path text through the "Folder Setup" dialog: split into
// items on open, edited by a user in the list editor, rebuilt on OK,
// untouched on Cancel.
#include "settings/pages/folder_setup_dialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "settings/headless/headless_backend.h"
#include "settings/input_messages.h"
#include "settings/widgets/list_box_user.h"

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
      {"C:\\Tools\\C51\\INC\\", {"C:\\Tools\\C51\\INC\\"}, "C:\\Tools\\C51\\INC\\"},
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
    ASSERT_EQ(c.GetItemCount(IDC_FOLDER_LIST), 2);
    EXPECT_EQ(c.GetItemText(IDC_FOLDER_LIST, 1), "two");
    c.AddItem(IDC_FOLDER_LIST, "three\\");
    run.PressOk();
  });
  backend.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    run.controls().ResetItems(IDC_FOLDER_LIST);
    run.PressCancel();
  });
  std::string text = "one;two";
  EXPECT_TRUE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "one\\;two\\;three\\");
  EXPECT_FALSE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "one\\;two\\;three\\");
}

// The user's hands on the dialog's list editor and header strip.
ListBoxUser UserOf(HeadlessDialogRun& run) {
  auto* dialog = static_cast<FolderSetupDialog*>(run.dialog());
  return ListBoxUser(dialog->list(), dialog->header());
}

Items ItemsOf(HeadlessDialogRun& run) {
  Items items;
  HeadlessDialog& c = run.controls();
  for (int i = 0; i < c.GetItemCount(IDC_FOLDER_LIST); ++i) {
    items.push_back(c.GetItemText(IDC_FOLDER_LIST, i));
  }
  return items;
}

TEST(FolderSetupTest, AUserAddsEditsBrowsesReordersAndDeletes) {
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kEnglish);
  backend.folder_answers = {std::nullopt, "C:\\Tools\\C51\\INC"};
  backend.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    ListBoxUser user = UserOf(run);
    ASSERT_EQ(ItemsOf(run), (Items{"inc", "..\\lib", "old"}));
    // A new folder typed by hand.
    ASSERT_TRUE(user.PressHeaderButton(kHeaderNew));
    ASSERT_TRUE(user.Type("src\\h"));
    ASSERT_TRUE(user.PressKey(kVkReturn));
    // The first browse is cancelled and leaves the text; the second fills
    // the edit, which keeps the focus until Enter.
    ASSERT_TRUE(user.DoubleClickItem(1));
    ASSERT_TRUE(user.ClickBrowse());
    EXPECT_EQ(static_cast<FolderSetupDialog*>(run.dialog())->list()->edit().text(), "..\\lib");
    ASSERT_TRUE(user.ClickBrowse());
    auto* list = static_cast<FolderSetupDialog*>(run.dialog())->list();
    EXPECT_EQ(list->edit().text(), "C:\\Tools\\C51\\INC");
    EXPECT_EQ(list->input().focus(), kIdInPlaceEdit);
    ASSERT_TRUE(user.PressKey(kVkReturn));
    // The browsed folder first, the old one out.
    ASSERT_TRUE(user.PressHeaderButton(kHeaderMoveUp));
    ASSERT_TRUE(user.ClickItem(2));
    ASSERT_TRUE(user.PressHeaderButton(kHeaderDelete));
    ASSERT_TRUE(user.DragItem(2, 1));
    EXPECT_EQ(ItemsOf(run), (Items{"C:\\Tools\\C51\\INC", "src\\h", "inc"}));
    run.PressOk();
  });
  std::string text = "inc;..\\lib;old";
  EXPECT_TRUE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "C:\\Tools\\C51\\INC\\;src\\h\\;inc\\");
  // Both browses opened on the folder being edited.
  ASSERT_EQ(backend.chooser_requests.size(), 2u);
  for (const ChooserRequest& request : backend.chooser_requests) {
    EXPECT_EQ(request.kind, ChooserRequest::kBrowseFolder);
    EXPECT_EQ(request.initial, "..\\lib");
  }
}

TEST(FolderSetupTest, OkTakesAnEditStillOpenCancelDropsIt) {
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kEnglish);
  for (bool ok : {true, false}) {
    backend.dialog_scripts.push_back([ok](HeadlessDialogRun& run) {
      ListBoxUser user = UserOf(run);
      ASSERT_TRUE(user.DoubleClickItem(0));
      ASSERT_TRUE(user.Type("b"));
      ok ? run.PressOk() : run.PressCancel();
    });
  }
  std::string text = "a\\";
  EXPECT_TRUE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "b\\");
  EXPECT_FALSE(EditIncludeDirectories(&backend, &text));
  EXPECT_EQ(text, "b\\");
}

// A folder is stored between ";": one holding a ";" would come back as
// two. However it gets into an item, it is refused with the message and
// the text as typed, and the item keeps what it had (a new one goes).
TEST(FolderSetupTest, AFolderWithASemicolonIsRefused) {
  struct Case {
    const char* name;
    std::function<void(ListBoxUser&)> act;
    const char* text;     // after OK
    const char* refused;  // the refused text; null: no message
  } cases[] = {
      {"new item typed",
       [](ListBoxUser& user) {
         ASSERT_TRUE(user.PressHeaderButton(kHeaderNew));
         ASSERT_TRUE(user.Type("a;b"));
         ASSERT_TRUE(user.PressKey(kVkReturn));
       },
       "inc\\;lib\\", "a;b"},
      {"item edited",
       [](ListBoxUser& user) {
         ASSERT_TRUE(user.DoubleClickItem(1));
         ASSERT_TRUE(user.Type("x;y"));
         ASSERT_TRUE(user.PressKey(kVkReturn));
       },
       "inc\\;lib\\", "x;y"},
      {"folder chosen",
       [](ListBoxUser& user) {
         ASSERT_TRUE(user.DoubleClickItem(0));
         ASSERT_TRUE(user.ClickBrowse());
         ASSERT_TRUE(user.PressKey(kVkReturn));
       },
       "inc\\;lib\\", "C:\\a;b"},
      {"edit left open at OK",
       [](ListBoxUser& user) {
         ASSERT_TRUE(user.PressHeaderButton(kHeaderNew));
         ASSERT_TRUE(user.Type("c;"));
       },
       "inc\\;lib\\", "c;"},
      {"folder without one",
       [](ListBoxUser& user) {
         ASSERT_TRUE(user.PressHeaderButton(kHeaderNew));
         ASSERT_TRUE(user.Type("a, b"));
         ASSERT_TRUE(user.PressKey(kVkReturn));
       },
       "inc\\;lib\\;a, b\\", nullptr},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    HeadlessInterface ui;
    HeadlessBackend backend(&ui, Language::kEnglish);
    backend.folder_answers = {"C:\\a;b"};
    backend.dialog_scripts.push_back([&k](HeadlessDialogRun& run) {
      ListBoxUser user = UserOf(run);
      k.act(user);
      run.PressOk();
    });
    std::string text = "inc;lib";
    EXPECT_TRUE(EditIncludeDirectories(&backend, &text));
    EXPECT_EQ(text, k.text);
    if (k.refused == nullptr) {
      EXPECT_TRUE(ui.messages.empty());
      continue;
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, std::string(InputMessageText(
                                       InputMessage::kSemicolonInIncludeItem, Language::kEnglish)) +
                                       k.refused);
  }
}

}  // namespace
}  // namespace c51::settings
