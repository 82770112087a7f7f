// The window backend under the page logic, on pages and a dialog that have
// no dialog resource (this program has none), so that their templates are
// built in memory from the controls as data: every DialogControls call
// against real controls, and the notifications the controls raise.
#include <windows.h>
// windows.h first: the common controls header needs its types.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "settings/ardel_property_sheet.h"
#include "settings/modal_dialog.h"
#include "settings/win32/win32_backend.h"

namespace c51::settings {
namespace {

constexpr DWORD kPatienceMs = 30000;  // for windows to appear; never reached by a working run
using Events = std::vector<std::pair<int, Notification>>;

std::vector<ControlSpec> ProbeControls() {
  return {
      {kNoId, ControlKind::kStatic, kStyleNone, "Label", {}},
      {100, ControlKind::kEdit, kStyleNone, "start", {}},
      {101, ControlKind::kCheckBox, kAutomatic, "Check", {}},
      {102, ControlKind::kDropDownList, kStyleNone, "", {"one", "two", "three"}},
      {103, ControlKind::kListBox, kStyleNone, "", {"a", "b"}},
      {104, ControlKind::kPushButton, kStyleNone, "Push", {}},
      {105, ControlKind::kCheckBox, kAutomatic | kDisabled, "Off", {}},
      {106, ControlKind::kEdit, kHidden, "", {}},
  };
}

class ProbePage : public CArdelPage {
 public:
  ProbePage() : CArdelPage(60001) {}
  DialogTemplate Template(Language) const override { return {60001, "Probe", ProbeControls()}; }
  bool OnInitDialog() override {
    items_at_init = controls().GetItemCount(102);
    // A window another library made for the page, as the Device page gets one.
    hosted = CreateWindowExA(0, "STATIC", "hosted", WS_POPUP | WS_CAPTION | WS_SYSMENU, 300, 200,
                             50, 40, nullptr, nullptr, nullptr, nullptr);
    backend()->EmbedWindow(this, hosted);
    return true;
  }
  void OnControl(int id, Notification code) override { events.push_back({id, code}); }
  bool OnApply() override {
    ++applied;
    return true;
  }
  int items_at_init = -1;
  int applied = 0;
  HWND hosted = nullptr;
  Events events;
};

struct WindowSearch {
  bool (*match)(HWND);
  HWND found;
};

// A callback of the window system's own convention (stdcall on i686): no lambda.
BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  if (!IsWindowVisible(window) || !search->match(window)) return TRUE;
  search->found = window;
  return FALSE;
}

// Waits for a top-level window of `thread` that `match` accepts.
HWND WaitForWindow(DWORD thread, bool (*match)(HWND)) {
  WindowSearch search{match, nullptr};
  for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
    EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    Sleep(50);
  }
  return nullptr;
}

TEST(Win32ControlsTest, BuiltPageAnswersEveryControlCall) {
  Win32Backend backend(Language::kEnglish);
  ProbePage page;
  CArdelPropertySheet sheet("Probe sheet");
  sheet.AddPage(&page);
  const DWORD ui_thread = GetCurrentThreadId();
  std::thread user([&] {
    HWND window =
        WaitForWindow(ui_thread, [](HWND w) { return GetDlgItem(w, kIdDefault) != nullptr; });
    ASSERT_NE(window, nullptr);
    DialogControls& c = page.controls();
    HWND page_window = static_cast<HWND>(backend.PageWindow(&page));
    ASSERT_NE(page_window, nullptr);

    // The hosted window fills the page's parent from the page's corner.
    ASSERT_NE(page.hosted, nullptr);
    EXPECT_EQ(GetParent(page.hosted), page_window);
    const LONG_PTR style = GetWindowLongPtrA(page.hosted, GWL_STYLE);
    // WS_CAPTION is WS_BORDER plus WS_DLGFRAME: the border stays, the caption goes.
    EXPECT_EQ(style & (WS_POPUP | WS_DLGFRAME | WS_SYSMENU), 0);
    EXPECT_EQ(style & (WS_CHILD | WS_BORDER | WS_VISIBLE), WS_CHILD | WS_BORDER | WS_VISIBLE);
    EXPECT_NE(GetWindowLongPtrA(page.hosted, GWL_EXSTYLE) & WS_EX_TRANSPARENT, 0);
    RECT hosted_rect, area;
    GetWindowRect(page.hosted, &hosted_rect);
    MapWindowPoints(nullptr, page_window, reinterpret_cast<POINT*>(&hosted_rect), 2);
    GetClientRect(GetParent(page_window), &area);
    EXPECT_EQ(hosted_rect.left, 0);
    EXPECT_EQ(hosted_rect.top, 0);
    EXPECT_EQ(hosted_rect.right - hosted_rect.left, area.right);
    EXPECT_EQ(hosted_rect.bottom - hosted_rect.top, area.bottom);
    // An opaque handle that is no window is left alone.
    static char not_a_window;
    backend.EmbedWindow(&page, &not_a_window);

    // Lists come with the template's items before the page's own start.
    EXPECT_EQ(page.items_at_init, 3);
    EXPECT_EQ(c.GetItemText(102, 1), "two");
    EXPECT_EQ(c.GetItemCount(103), 2);
    EXPECT_TRUE(c.Exists(100));
    EXPECT_FALSE(c.Exists(999));
    EXPECT_EQ(c.GetText(999), "");
    EXPECT_EQ(c.GetItemCount(100), 0);  // not a list

    // Setting a text notifies, as the edit itself does; checks and
    // selections set from code do not.
    EXPECT_EQ(c.GetText(100), "start");
    page.events.clear();
    c.SetText(100, "abc");
    EXPECT_EQ(c.GetText(100), "abc");
    c.SetCheck(101, kChecked);
    c.SetSelection(102, 2);
    EXPECT_EQ(page.events, (Events{{100, Notification::kTextChanged}}));
    EXPECT_EQ(c.GetCheck(101), kChecked);
    EXPECT_EQ(c.GetSelection(102), 2);
    EXPECT_EQ(c.GetText(102), "three");

    // A click moves an automatic box on, through the third state once it has one.
    page.events.clear();
    SendMessageA(GetDlgItem(page_window, 101), BM_CLICK, 0, 0);
    EXPECT_EQ(c.GetCheck(101), kUnchecked);
    c.SetThreeState(101, true);
    c.SetCheck(101, kChecked);
    SendMessageA(GetDlgItem(page_window, 101), BM_CLICK, 0, 0);
    EXPECT_EQ(c.GetCheck(101), kIndeterminate);
    c.SetThreeState(101, false);
    c.SetCheck(101, kChecked);
    SendMessageA(GetDlgItem(page_window, 101), BM_CLICK, 0, 0);
    EXPECT_EQ(c.GetCheck(101), kUnchecked);
    // The user's choice in a list and a double click, as the controls send them.
    SendMessageA(page_window, WM_COMMAND, MAKEWPARAM(102, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(page_window, 102)));
    SendMessageA(page_window, WM_COMMAND, MAKEWPARAM(103, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(page_window, 103)));
    SendMessageA(GetDlgItem(page_window, 104), BM_CLICK, 0, 0);
    EXPECT_EQ(page.events, (Events{{101, Notification::kClicked},
                                   {101, Notification::kClicked},
                                   {101, Notification::kClicked},
                                   {102, Notification::kSelectionChanged},
                                   {103, Notification::kDoubleClicked},
                                   {104, Notification::kClicked}}));

    // Items of both list kinds.
    for (int list : {102, 103}) {
      SCOPED_TRACE(list);
      const int count = c.GetItemCount(list);
      EXPECT_EQ(c.InsertItem(list, 0, "zero"), 0);
      EXPECT_EQ(c.GetItemText(list, 0), "zero");
      EXPECT_EQ(c.InsertItem(list, 99, "last"), count + 1);  // past the end appends
      c.SetItemData(list, count + 1, 77);
      EXPECT_EQ(c.GetItemData(list, count + 1), 77);
      EXPECT_EQ(c.GetItemData(list, 50), 0);
      EXPECT_EQ(c.GetItemText(list, 50), "");
      c.DeleteItem(list, 0);
      EXPECT_EQ(c.GetItemCount(list), count + 1);
      c.SetSelection(list, 1);
      EXPECT_EQ(c.GetSelection(list), 1);
      c.SetSelection(list, -1);
      EXPECT_EQ(c.GetSelection(list), -1);
      c.ResetItems(list);
      EXPECT_EQ(c.GetItemCount(list), 0);
    }

    // Enabled and visible flags from the template, enabled from code.
    EXPECT_FALSE(c.IsEnabled(105));
    EXPECT_FALSE(c.IsVisible(106));
    EXPECT_TRUE(c.IsVisible(104));
    c.Enable(104, false);
    EXPECT_FALSE(c.IsEnabled(104));

    // A page reporting a change enables Apply; Apply applies and disables it.
    page.SetModified(true);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, kIdApply)));
    SendMessageA(window, PSM_PRESSBUTTON, PSBTN_APPLYNOW, 0);
    EXPECT_EQ(page.applied, 1);
    EXPECT_EQ(page.store_flag(), 1);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, kIdApply)));
    SendMessageA(window, PSM_PRESSBUTTON, PSBTN_OK, 0);
  });
  EXPECT_EQ(sheet.DoModal(&backend), kResultOk);
  user.join();
  EXPECT_EQ(page.applied, 2);
  EXPECT_FALSE(page.HasWindow());
}

class ProbeDialog : public ModalDialog {
 public:
  DialogTemplate Template(Language) const override { return {60002, "Probe", ProbeControls()}; }
  bool OnInitDialog() override {
    controls().SetText(100, "ready");
    return true;
  }
  void OnControl(int id, Notification code) override { events.push_back({id, code}); }
  // The first OK is refused.
  bool OnOK() override { return ++ok_presses > 1; }
  int ok_presses = 0;
  Events events;
};

TEST(Win32ControlsTest, BuiltDialogGetsOkAndCancelAndAsksOnOk) {
  Win32Backend backend(Language::kEnglish);
  const DWORD ui_thread = GetCurrentThreadId();
  for (int button : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(button);
    ProbeDialog dialog;
    std::thread user([&] {
      HWND window = WaitForWindow(ui_thread, [](HWND w) { return GetDlgItem(w, 100) != nullptr; });
      ASSERT_NE(window, nullptr);
      char text[32] = {};
      GetDlgItemTextA(window, 100, text, sizeof text);
      EXPECT_STREQ(text, "ready");
      SendMessageA(GetDlgItem(window, 104), BM_CLICK, 0, 0);
      HWND ok = GetDlgItem(window, IDOK);
      ASSERT_NE(ok, nullptr);
      ASSERT_NE(GetDlgItem(window, IDCANCEL), nullptr);
      SendMessageA(GetDlgItem(window, button), BM_CLICK, 0, 0);
      if (button == IDOK) {
        EXPECT_TRUE(IsWindow(window));  // refused
        SendMessageA(ok, BM_CLICK, 0, 0);
      }
    });
    int result = dialog.DoModal(&backend);
    user.join();
    EXPECT_EQ(result, button == IDOK ? kResultOk : kResultCancel);
    EXPECT_EQ(dialog.ok_presses, button == IDOK ? 2 : 0);
    EXPECT_EQ(dialog.events,
              (Events{{100, Notification::kTextChanged}, {104, Notification::kClicked}}));
  }
}

TEST(Win32ControlsTest, FileDialogFilter) {
  EXPECT_EQ(FileDialogFilter("Programs|*.exe|All|*.*|"),
            std::string("Programs\0*.exe\0All\0*.*\0\0", 24));
  EXPECT_EQ(FileDialogFilter("Programs|*.exe"), std::string("Programs\0*.exe\0\0", 16));
  EXPECT_EQ(FileDialogFilter(""), std::string("\0", 1));
}

}  // namespace
}  // namespace c51::settings
