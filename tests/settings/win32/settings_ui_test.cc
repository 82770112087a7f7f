// The settings dialogs with real windows: the plug-in loaded through
// GetInterface opens its sheets through slot 3 on this thread, while a
// second thread plays the user with window messages and a third answers
// message boxes. Needs a display; the run script provides one.
#include <windows.h>
// windows.h first: the common controls header needs its types.
#include <commctrl.h>
#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "entry/plugin_interface.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "png_writer.h"
#include "settings/settings_script.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

constexpr int kIdOk = 1;
constexpr int kIdApply = 12321;
constexpr int kIdDefault = 7701;
constexpr int kMessageText = 0xFFFF;  // the message box's text
constexpr DWORD kPatienceMs = 30000;  // for windows to appear; never reached by a working run

bool Chinese() {
  return GetUserDefaultUILanguage() == MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}

// C51_SCREENSHOTS, or <build>/screenshots/<en|zh> beside the program's
// bin folder (the fixture's temporary folder may be the current one).
std::string ScreenshotFolder() {
  std::string folder;
  if (GetEnv("C51_SCREENSHOTS", &folder) && !folder.empty()) return folder;
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, sizeof program);
  folder = program;
  for (int up = 0; up < 2; ++up) folder.erase(folder.find_last_of("\\/"));
  return folder + "\\screenshots\\" + (Chinese() ? "zh" : "en");
}

struct FindWindowArgs {
  std::function<bool(HWND)> match;
  HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
  auto* args = reinterpret_cast<FindWindowArgs*>(data);
  if (IsWindowVisible(window) && args->match(window)) {
    args->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindThreadWindow(DWORD thread, std::function<bool(HWND)> match) {
  FindWindowArgs args{std::move(match)};
  EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&args));
  return args.found;
}

std::string TextOf(HWND window, int id) {
  char text[1024] = {};
  GetDlgItemTextA(window, id, text, sizeof text);
  return text;
}

// Answers every message box of the dialog thread with its first button
// and keeps the texts.
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(DWORD ui_thread)
      : ui_thread_(ui_thread), thread_([this] { Watch(); }) {}
  ~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  std::vector<std::string> Messages() {
    std::lock_guard<std::mutex> lock(mutex_);
    return messages_;
  }

 private:
  void Watch() {
    while (!stop_) {
      HWND box = FindThreadWindow(ui_thread_, [](HWND w) {
        return GetDlgItem(w, kMessageText) != nullptr && GetDlgItem(w, kIdApply) == nullptr;
      });
      if (box != nullptr) {
        {
          std::lock_guard<std::mutex> lock(mutex_);
          messages_.push_back(TextOf(box, kMessageText));
        }
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        while (IsWindow(box) && !stop_) Sleep(10);
      }
      Sleep(20);
    }
  }

  DWORD ui_thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> messages_;
  std::thread thread_;
};

// The user at the sheet: every call is a message the dialog thread
// handles before the call returns.
class SheetDriver {
 public:
  explicit SheetDriver(HWND sheet) : sheet_(sheet) {}

  HWND sheet() const { return sheet_; }
  HWND page() const {
    return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
  }
  int current() const {
    return static_cast<int>(
        SendMessageA(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page()), 0));
  }
  bool Select(int index) {
    SendMessageA(sheet_, PSM_SETCURSEL, index, 0);
    return current() == index;
  }
  void Type(int id, const std::string& text) {
    HWND edit = GetDlgItem(page(), id);
    ASSERT_NE(edit, nullptr) << "no edit " << id;
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Click(int id) {
    HWND button = GetDlgItem(page(), id);
    ASSERT_NE(button, nullptr) << "no button " << id;
    SendMessageA(button, BM_CLICK, 0, 0);
  }
  void Choose(int id, int index) {
    HWND list = GetDlgItem(page(), id);
    ASSERT_NE(list, nullptr) << "no list " << id;
    SendMessageA(list, CB_SETCURSEL, index, 0);
    SendMessageA(page(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  }
  void Press(int button) {
    ended_ = button == PSBTN_OK || button == PSBTN_CANCEL;
    SendMessageA(sheet_, PSM_PRESSBUTTON, button, 0);
  }
  // The last button pressed was OK or Cancel.
  bool ended() const { return ended_; }
  bool Closed() const { return !IsWindow(sheet_); }
  // The sheet goes once its modal loop sees the end: shortly after OK.
  bool WaitClosed() const {
    for (DWORD waited = 0; !Closed() && waited < kPatienceMs; waited += 20) Sleep(20);
    return Closed();
  }
  bool ButtonEnabled(int id) const {
    HWND button = GetDlgItem(sheet_, id);
    return button != nullptr && IsWindowEnabled(button);
  }
  RECT ClientRect(HWND control) const {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, sheet_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  HWND tab() const { return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0)); }
  std::string TabText(int index) const {
    char text[256] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int PageCount() const { return static_cast<int>(SendMessageA(tab(), TCM_GETITEMCOUNT, 0, 0)); }

  // The sheet as it is on the screen, frame included.
  bool Capture(RgbImage* image) const { return CaptureWindow(sheet_, image); }
  static bool CaptureWindow(HWND window, RgbImage* image) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessageA(window, WM_NULL, 0, 0);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC window_dc = GetWindowDC(window);
    HDC memory_dc = CreateCompatibleDC(window_dc);
    HBITMAP bitmap = CreateDIBSection(window_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap != nullptr;
    if (ok) {
      HGDIOBJ old = SelectObject(memory_dc, bitmap);
      ok = BitBlt(memory_dc, 0, 0, width, height, window_dc, 0, 0, SRCCOPY);
      GdiFlush();
      SelectObject(memory_dc, old);
    }
    if (ok) {
      const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
      image->width = width;
      image->height = height;
      image->rgb.resize(static_cast<size_t>(width) * height * 3);
      for (int y = 0; y < height; ++y) {
        const uint8_t* in = static_cast<const uint8_t*>(bits) + y * stride;
        uint8_t* out = &image->rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {  // the DIB holds blue, green, red
          out[3 * x] = in[3 * x + 2];
          out[3 * x + 1] = in[3 * x + 1];
          out[3 * x + 2] = in[3 * x];
        }
      }
    }
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory_dc);
    ReleaseDC(window, window_dc);
    return ok;
  }
  // Client coordinates to the captured image's.
  POINT ImageOffset() const {
    RECT frame;
    GetWindowRect(sheet_, &frame);
    POINT origin{0, 0};
    ClientToScreen(sheet_, &origin);
    return {origin.x - frame.left, origin.y - frame.top};
  }

  // Saves the sheet as <folder>/<name>.png.
  void Screenshot(const std::string& name) {
    RgbImage image;
    ASSERT_TRUE(Capture(&image)) << name;
    std::string err;
    ASSERT_TRUE(CreateDirectories(ScreenshotFolder()));
    ASSERT_TRUE(WriteWholeFile(ScreenshotFolder() + "\\" + name + ".png", EncodePng(image), &err))
        << err;
  }

 private:
  HWND sheet_;
  bool ended_ = false;
};

class SettingsUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string err;
    ASSERT_TRUE(plugin_.Load(&err)) << err;
    table_ = plugin_.table();
    config_ = PrepareHost(&host_);
    files_ = host_.Add(host_.root(), "Files");
    host_.calls.clear();
  }

  // A project "demo" with the configuration "Debug" made by the plug-in,
  // served to it by `host`. The configuration.
  ProjectNode* PrepareHost(FakeHost* host) {
    host->Install(table_);
    host->project_path = dir_.path() + "demo.cvproj";
    host->device_properties = {"CPU=IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(12000000)"};
    table_->SetHostContext(host->Context());
    ProjectNode* config = host->AddConfiguration("Debug");
    host->Set(host->root(), "Name", "demo");
    table_->OpenConfiguration(host->root(), "Debug");
    table_->CreateDefaultConfiguration(config);
    return config;
  }

  // Opens the dialog of `node` on this thread while `script` drives it
  // from another; a script that leaves the sheet open is followed by
  // Cancel. The dialog's result.
  int Run(ProjectNode* node, const std::function<void(SheetDriver&)>& script) {
    const DWORD ui_thread = GetCurrentThreadId();
    MessageBoxWatcher watcher(ui_thread);
    std::thread user([&] {
      HWND sheet = nullptr;
      for (DWORD waited = 0; sheet == nullptr && waited < kPatienceMs; waited += 50) {
        // Initialised: the sheet's own "Default" button is there.
        sheet = FindThreadWindow(ui_thread,
                                 [](HWND w) { return GetDlgItem(w, kIdDefault) != nullptr; });
        if (sheet == nullptr) Sleep(50);
      }
      if (sheet == nullptr) {
        ADD_FAILURE() << "no sheet appeared";
        return;
      }
      SheetDriver driver(sheet);
      script(driver);
      // The sheet closes a little after OK: a Cancel pressed in between
      // would undo it.
      if (!(driver.ended() && driver.WaitClosed())) driver.Press(PSBTN_CANCEL);
    });
    int result = table_->ShowSettings(node);
    user.join();
    messages_ = watcher.Messages();
    return result;
  }

  ProjectNode* Tool(ProjectNode* scope, const char* name) {
    for (ProjectNode* child = scope->first_child; child; child = child->next_sibling) {
      if (FakeHost::Get(child, "Name") == name) return child;
    }
    return nullptr;
  }
  int Updates() const {
    int n = 0;
    for (const HostCall& call : host_.calls) n += call.service == "UpdateNode";
    return n;
  }

  // Screenshots of every page, first to last, named after `names`.
  static void ShootEveryPage(SheetDriver& d, const std::string& dialog,
                             const std::vector<std::string>& names) {
    ASSERT_EQ(d.PageCount(), static_cast<int>(names.size()));
    for (int i = 0; i < d.PageCount(); ++i) {
      SCOPED_TRACE(names[i]);
      ASSERT_TRUE(d.Select(i));
      d.Screenshot(dialog + "-" + std::to_string(i) + "-" + names[i]);
    }
  }

  ScopedTempDir dir_{"c51settingsui"};
  PluginLibrary plugin_;
  PluginInterface* table_ = nullptr;
  FakeHost host_;
  ProjectNode* config_ = nullptr;
  ProjectNode* files_ = nullptr;
  std::vector<std::string> messages_;
};

TEST_F(SettingsUiTest, ProjectSheetFrameAndEveryPage) {
  Run(host_.root(), [&](SheetDriver& d) {
    EXPECT_EQ(d.current(), 1);                                           // Target first
    EXPECT_EQ(d.TabText(1), Chinese() ? "\xC4\xBF\xB1\xEA" : "Target");  // 目标
    EXPECT_FALSE(d.ButtonEnabled(kIdApply));
    // "Default": as wide as OK, 80 pixels left of it, level with it.
    HWND default_button = GetDlgItem(d.sheet(), kIdDefault);
    ASSERT_NE(default_button, nullptr);
    EXPECT_TRUE(IsWindowEnabled(default_button));
    RECT ok = d.ClientRect(GetDlgItem(d.sheet(), kIdOk));
    RECT def = d.ClientRect(default_button);
    EXPECT_EQ(def.right, ok.left - 80);
    EXPECT_EQ(def.right - def.left, ok.right - ok.left);
    EXPECT_EQ(def.top, ok.top);
    EXPECT_EQ(def.bottom, ok.bottom);

    // The engraved caption: highlight and shadow pixels between the tab
    // control's left edge and OK, outside the "Default" button.
    RgbImage image;
    ASSERT_TRUE(d.Capture(&image));
    const RECT tab = d.ClientRect(d.tab());
    const POINT offset = d.ImageOffset();
    const COLORREF colours[2] = {GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)};
    int counts[2] = {0, 0};
    for (int y = ok.top; y < ok.bottom; ++y) {
      for (int x = tab.left; x < ok.left; ++x) {
        if (x >= def.left && x < def.right) continue;
        const uint8_t* p = &image.rgb[3 * ((y + offset.y) * image.width + x + offset.x)];
        for (int c = 0; c < 2; ++c) {
          counts[c] += p[0] == GetRValue(colours[c]) && p[1] == GetGValue(colours[c]) &&
                       p[2] == GetBValue(colours[c]);
        }
      }
    }
    EXPECT_GT(counts[0], 20) << "no highlight of the caption";
    EXPECT_GT(counts[1], 20) << "no shadow of the caption";

    ShootEveryPage(
        d, "project",
        {"device", "target", "output", "listing", "user", "c51", "a51", "locate", "misc", "debug"});
  });
  // Visiting every page wrote nothing.
  EXPECT_EQ(Updates(), 0);
}

TEST_F(SettingsUiTest, CrystalTypedThenOkWritesTheTargetAndTheClock) {
  int result = Run(host_.root(), [&](SheetDriver& d) {
    d.Type(1563, "11.0592");
    EXPECT_TRUE(d.ButtonEnabled(kIdApply));  // the page reported its change
    d.Press(PSBTN_OK);
    EXPECT_TRUE(d.WaitClosed());
  });
  EXPECT_EQ(result, 0);  // no new device
  EXPECT_EQ(FakeHost::Get(config_, "SIMCLK"), "11.059200");
  EXPECT_EQ(host_.clock, 11.0592);
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

TEST_F(SettingsUiTest, ApplyWritesAtOnceAndCancelKeepsIt) {
  std::string after_apply;
  Run(host_.root(), [&](SheetDriver& d) {
    ASSERT_TRUE(d.Select(5));
    d.Type(1591, "FAST");
    d.Press(PSBTN_APPLYNOW);
    // Only the store flag set by Apply makes the page write before OK.
    after_apply = FakeHost::Get(Tool(config_, "C51Tool"), "C51DEF");
    EXPECT_FALSE(d.ButtonEnabled(kIdApply));
    d.Type(1591, "SLOW");
    d.Press(PSBTN_CANCEL);
    EXPECT_TRUE(d.WaitClosed());
  });
  EXPECT_EQ(after_apply, "FAST");
  EXPECT_EQ(FakeHost::Get(Tool(config_, "C51Tool"), "C51DEF"), "FAST");
}

TEST_F(SettingsUiTest, DefaultButtonResetsTheActivePage) {
  std::string after_apply;
  Run(host_.root(), [&](SheetDriver& d) {
    ASSERT_TRUE(d.Select(6));
    d.Click(1611);
    d.Press(PSBTN_APPLYNOW);
    after_apply = FakeHost::Get(Tool(config_, "A51Tool"), "A51FL");
    SendMessageA(GetDlgItem(d.sheet(), kIdDefault), BM_CLICK, 0, 0);
    d.Press(PSBTN_OK);
  });
  EXPECT_NE(after_apply, "68");
  EXPECT_NE(after_apply, "<missing>");
  EXPECT_EQ(FakeHost::Get(Tool(config_, "A51Tool"), "A51FL"), "68");
}

TEST_F(SettingsUiTest, RefusedPageChangeKeepsThePageAndWritesNothing) {
  int result = Run(host_.root(), [&](SheetDriver& d) {
    d.Type(1011, "0x10000");
    EXPECT_FALSE(d.Select(5));
    EXPECT_EQ(d.current(), 1);
    d.Press(PSBTN_OK);  // refused the same way
    EXPECT_EQ(d.current(), 1);
    d.Press(PSBTN_CANCEL);
    EXPECT_TRUE(d.WaitClosed());
  });
  EXPECT_EQ(result, 0);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_NE(messages_[0].find("0x10000"), std::string::npos) << messages_[0];
  EXPECT_EQ(Updates(), 0);
}

TEST_F(SettingsUiTest, GroupAndFileDialogs) {
  ProjectNode* group = host_.Add(files_, "Filter", "Drivers");
  ProjectNode* c_file = host_.Add(group, "File");
  host_.Set(c_file, "RelativePath", ".\\uart.c");
  ProjectNode* asm_file = host_.Add(group, "File");
  host_.Set(asm_file, "RelativePath", ".\\start.A51");
  ProjectNode* header = host_.Add(group, "File");
  host_.Set(header, "RelativePath", ".\\uart.h");
  host_.calls.clear();

  Run(group, [&](SheetDriver& d) {
    EXPECT_EQ(d.current(), 0);
    ShootEveryPage(d, "group", {"properties", "c51", "a51"});
    ASSERT_TRUE(d.Select(1));
    d.Type(1591, "GROUPED");
    d.Press(PSBTN_OK);
  });
  EXPECT_EQ(FakeHost::Get(group, "LocalConfigure"), "1");

  Run(c_file, [&](SheetDriver& d) { ShootEveryPage(d, "cfile", {"properties", "c51"}); });
  Run(asm_file, [&](SheetDriver& d) { ShootEveryPage(d, "asmfile", {"properties", "a51"}); });
  Run(header, [&](SheetDriver& d) { ShootEveryPage(d, "file", {"properties"}); });
  EXPECT_EQ(FakeHost::Get(c_file, "LocalConfigure"), "<missing>");
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// The tooltip window `owner` owns.
struct ToolTipSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK MatchToolTip(HWND w, LPARAM data) {
  auto* s = reinterpret_cast<ToolTipSearch*>(data);
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) != 0 || GetWindow(w, GW_OWNER) != s->owner) return TRUE;
  s->found = w;
  return FALSE;
}

// The include folders of the C51 page in the list editor: the header
// strip's buttons, the in-place edit, keys and a drag with the mouse.
class FolderSetupDriver {
 public:
  static constexpr int kCaption = 3000;
  static constexpr int kList = 3001;
  static constexpr int kEdit = 0x7F01;
  static constexpr int kBrowse = 0x7F02;

  explicit FolderSetupDriver(HWND dialog)
      : dialog_(dialog), list_(GetDlgItem(dialog, kList)), header_(GetDlgItem(dialog, kCaption)) {}

  HWND dialog() const { return dialog_; }
  HWND list() const { return list_; }
  HWND edit() const { return GetDlgItem(list_, kEdit); }
  HWND browse() const { return GetDlgItem(list_, kBrowse); }
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[512] = {};
      SendMessageA(list_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  int Selection() const { return static_cast<int>(SendMessageA(list_, LB_GETCURSEL, 0, 0)); }
  // Presses and releases header button `index` (0 New ... 3 Move Down).
  void Header(int index) {
    RECT client;
    GetClientRect(header_, &client);
    const int x = client.right - 88 + 22 * index + 10, y = (client.top + client.bottom) / 2;
    SendMessageA(header_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    SendMessageA(header_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(header_, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void TypeInEdit(const std::string& text) {
    SendMessageA(edit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  void Key(HWND window, int vkey) { SendMessageA(window, WM_KEYDOWN, vkey, 0); }
  // The screen point at the middle of item `index`'s left part.
  POINT ItemPoint(int index) const {
    RECT item{};
    SendMessageA(list_, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    POINT p{item.left + 20, (item.top + item.bottom) / 2};
    ClientToScreen(list_, &p);
    return p;
  }
  // A real drag with the mouse, as the system delivers it.
  static void Mouse(POINT to, DWORD flags) {
    SetCursorPos(to.x, to.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(60);
  }
  bool Visible(HWND window) const { return window != nullptr && IsWindowVisible(window); }
  bool Closed() const { return !IsWindow(dialog_); }
  // The window with the keyboard focus in the dialog's thread.
  static HWND Focus(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
  }
  // The texts of the tools of the tooltip window the dialog owns.
  std::vector<std::string> ToolTips(DWORD thread) const {
    HWND found = ToolTipWindow(thread);
    std::vector<std::string> texts;
    if (found == nullptr) return texts;
    const int count = static_cast<int>(SendMessageA(found, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[80] = {};
      TOOLINFOA tool{};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      tool.lpszText = text;
      if (SendMessageA(found, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool))) {
        texts.push_back(text);
      }
    }
    return texts;
  }
  HWND ToolTipWindow(DWORD thread) const {
    ToolTipSearch search{dialog_, nullptr};
    EnumThreadWindows(thread, MatchToolTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

 private:
  HWND dialog_;
  HWND list_;
  HWND header_;
};

// The text of the first static child of `window` that contains `part`.
struct TextSearch {
  std::string part;
  std::string found;
};

BOOL CALLBACK MatchStaticText(HWND child, LPARAM data) {
  auto* s = reinterpret_cast<TextSearch*>(data);
  char name[32] = {}, text[MAX_PATH] = {};
  GetClassNameA(child, name, sizeof name);
  GetWindowTextA(child, text, sizeof text);
  if (lstrcmpiA(name, "Static") != 0 || std::string(text).find(s->part) == std::string::npos) {
    return TRUE;
  }
  s->found = text;
  return FALSE;
}

std::string ChildTextContaining(HWND window, const std::string& part) {
  TextSearch search{part, {}};
  EnumChildWindows(window, MatchStaticText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD thread, const std::function<bool(HWND)>& match) {
  for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
    if (HWND found = FindThreadWindow(thread, match)) return found;
    Sleep(50);
  }
  return nullptr;
}

TEST_F(SettingsUiTest, IncludeFoldersInTheListEditor) {
  const DWORD ui_thread = GetCurrentThreadId();
  std::string include_after;
  Run(host_.root(), [&](SheetDriver& d) {
    ASSERT_TRUE(d.Select(5));  // C51
    d.Type(1605, "one;two");
    // The dialog runs a modal loop of its own: the click is posted so that
    // this thread can go on driving.
    PostMessageA(GetDlgItem(d.page(), 1052), BM_CLICK, 0, 0);
    HWND found = WaitForWindow(ui_thread, [](HWND w) {
      return GetDlgItem(w, FolderSetupDriver::kList) != nullptr &&
             GetDlgItem(w, FolderSetupDriver::kCaption) != nullptr;
    });
    ASSERT_NE(found, nullptr) << "no Folder Setup dialog";
    FolderSetupDriver f(found);
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"one", "two"}));
    EXPECT_GT(SendMessageA(f.list(), LB_GETITEMHEIGHT, 0, 0), 8);
    ASSERT_NE(f.edit(), nullptr);
    ASSERT_NE(f.browse(), nullptr);
    EXPECT_FALSE(f.Visible(f.edit()));

    // The strip's four tooltips, in a tooltip window the dialog owns.
    EXPECT_EQ(f.ToolTips(ui_thread),
              (std::vector<std::string>{"New", "Delete", "Move Up", "Move Down"}));

    // New: an empty item at the end, edited in place with "..." beside it.
    f.Header(0);
    EXPECT_EQ(f.Items().size(), 3u);
    EXPECT_EQ(f.Selection(), 2);
    EXPECT_TRUE(f.Visible(f.edit()));
    EXPECT_TRUE(f.Visible(f.browse()));
    RECT edit_rect, browse_rect;
    GetWindowRect(f.edit(), &edit_rect);
    GetWindowRect(f.browse(), &browse_rect);
    EXPECT_EQ(edit_rect.right, browse_rect.left);
    EXPECT_EQ(browse_rect.right - browse_rect.left, 25);
    f.TypeInEdit("three");
    {
      RgbImage image;
      ASSERT_TRUE(SheetDriver::CaptureWindow(f.dialog(), &image));
      std::string err;
      ASSERT_TRUE(CreateDirectories(ScreenshotFolder()));
      ASSERT_TRUE(WriteWholeFile(ScreenshotFolder() + "\\foldersetup-0-editing.png",
                                 EncodePng(image), &err));
      // The strip shows its button image (loaded from a temporary file):
      // the red of the "Delete" cross lies inside the strip's right part.
      RECT frame, strip;
      GetWindowRect(f.dialog(), &frame);
      GetWindowRect(GetDlgItem(f.dialog(), FolderSetupDriver::kCaption), &strip);
      int red = 0;
      for (int y = strip.top; y < strip.bottom; ++y) {
        for (int x = strip.right - 90; x < strip.right; ++x) {
          const uint8_t* p = &image.rgb[3 * ((y - frame.top) * image.width + x - frame.left)];
          red += p[0] == 255 && p[1] == 0 && p[2] == 0;
        }
      }
      EXPECT_GT(red, 10) << "no button image in the header strip";
    }
    f.Key(f.edit(), VK_RETURN);
    EXPECT_FALSE(f.Visible(f.edit()));
    EXPECT_FALSE(f.Visible(f.browse()));
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"one", "two", "three"}));

    // Move Up acts on the selected item; Escape drops a new empty item.
    f.Header(2);
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"one", "three", "two"}));
    EXPECT_EQ(f.Selection(), 1);
    f.Header(0);
    EXPECT_EQ(f.Items().size(), 4u);
    f.Key(f.edit(), VK_ESCAPE);
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"one", "three", "two"}));

    // F2 edits the item last clicked; clearing it and pressing Enter
    // deletes it.
    POINT first = f.ItemPoint(0);
    ScreenToClient(f.list(), &first);
    SendMessageA(f.list(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.x, first.y));
    SendMessageA(f.list(), WM_LBUTTONUP, 0, MAKELPARAM(first.x, first.y));
    f.Key(f.list(), VK_F2);
    EXPECT_TRUE(f.Visible(f.edit()));
    f.TypeInEdit("");
    f.Key(f.edit(), VK_RETURN);
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"three", "two"}));

    // Dragging the first item below the last with the mouse. A tooltip
    // the header's mouse messages raised where the mouse was must not
    // catch the press.
    FolderSetupDriver::Mouse(f.ItemPoint(0), MOUSEEVENTF_MOVE);
    SendMessageA(f.ToolTipWindow(ui_thread), TTM_POP, 0, 0);
    FolderSetupDriver::Mouse(f.ItemPoint(0), MOUSEEVENTF_LEFTDOWN);
    POINT below = f.ItemPoint(1);
    below.y += 4;
    FolderSetupDriver::Mouse(below, MOUSEEVENTF_MOVE);
    below.y += static_cast<LONG>(SendMessageA(f.list(), LB_GETITEMHEIGHT, 0, 0));
    FolderSetupDriver::Mouse(below, MOUSEEVENTF_MOVE);
    FolderSetupDriver::Mouse(below, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"two", "three"}));
    {
      RgbImage image;
      ASSERT_TRUE(SheetDriver::CaptureWindow(f.dialog(), &image));
      std::string err;
      ASSERT_TRUE(
          WriteWholeFile(ScreenshotFolder() + "\\foldersetup-1-list.png", EncodePng(image), &err));
    }
    // "..." opens the shell's folder browser on the folder being edited,
    // its status line showing the selection; OK puts the choice into the
    // edit, which stays open with the focus.
    f.Header(0);
    f.TypeInEdit("C:\\windows");
    PostMessageA(f.browse(), BM_CLICK, 0, 0);
    HWND browser = WaitForWindow(ui_thread, [](HWND w) {
      return FindWindowExA(w, nullptr, "SysTreeView32", nullptr) != nullptr;
    });
    ASSERT_NE(browser, nullptr) << "no folder browser";
    std::string status;
    for (DWORD waited = 0; waited < kPatienceMs; waited += 50) {
      status = ChildTextContaining(browser, "windows");
      if (!status.empty()) break;
      Sleep(50);
    }
    EXPECT_EQ(status, "C:\\windows");
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    for (DWORD waited = 0; IsWindow(browser) && waited < kPatienceMs; waited += 20) Sleep(20);
    SendMessageA(f.dialog(), WM_NULL, 0, 0);  // the click's report has ended
    EXPECT_TRUE(f.Visible(f.edit()));
    char chosen[MAX_PATH] = {};
    GetWindowTextA(f.edit(), chosen, sizeof chosen);
    EXPECT_EQ(lstrcmpiA(chosen, "C:\\windows"), 0) << chosen;
    EXPECT_EQ(f.Focus(ui_thread), f.edit());
    f.Key(f.edit(), VK_ESCAPE);  // a new item: Escape drops it
    EXPECT_EQ(f.Items(), (std::vector<std::string>{"two", "three"}));

    SendMessageA(GetDlgItem(f.dialog(), IDOK), BM_CLICK, 0, 0);
    for (DWORD waited = 0; !f.Closed() && waited < kPatienceMs; waited += 20) Sleep(20);
    ASSERT_TRUE(f.Closed());
    include_after = TextOf(d.page(), 1605);
    d.Press(PSBTN_OK);
  });
  EXPECT_EQ(include_after, "two\\;three\\");
  EXPECT_EQ(FakeHost::Get(Tool(config_, "C51Tool"), "INCC5"), "two\\;three\\");
}

// The User page's "..." opens the system's file-open dialog on the
// program's text; the file chosen there becomes the command.
TEST_F(SettingsUiTest, ProgramChosenInTheFileDialog) {
  constexpr int kFileName = 0x47C;  // the explorer-style dialog's name box
  const DWORD ui_thread = GetCurrentThreadId();
  std::string command;
  Run(host_.root(), [&](SheetDriver& d) {
    ASSERT_TRUE(d.Select(4));  // User
    d.Type(1034, "build.bat --fast");
    PostMessageA(GetDlgItem(d.page(), 1035), BM_CLICK, 0, 0);
    HWND dialog = WaitForWindow(
        ui_thread, [&](HWND w) { return w != d.sheet() && GetDlgItem(w, kFileName) != nullptr; });
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    SendMessageA(GetDlgItem(dialog, kFileName), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>("C:\\windows\\notepad.exe"));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    for (DWORD waited = 0; IsWindow(dialog) && waited < kPatienceMs; waited += 20) Sleep(20);
    ASSERT_FALSE(IsWindow(dialog));
    command = TextOf(d.page(), 1034);
    d.Press(PSBTN_CANCEL);
  });
  EXPECT_EQ(lstrcmpiA(command.c_str(), "C:\\windows\\notepad.exe"), 0) << command;
}

// The Output page's folder button opens the shell's folder browser; the
// folder chosen there becomes the output folder, with a final separator.
TEST_F(SettingsUiTest, OutputFolderChosenInTheFolderBrowser) {
  const DWORD ui_thread = GetCurrentThreadId();
  std::string folder;
  Run(host_.root(), [&](SheetDriver& d) {
    ASSERT_TRUE(d.Select(2));  // Output
    PostMessageA(GetDlgItem(d.page(), 1244), BM_CLICK, 0, 0);
    HWND browser = WaitForWindow(ui_thread, [](HWND w) {
      return FindWindowExA(w, nullptr, "SysTreeView32", nullptr) != nullptr;
    });
    ASSERT_NE(browser, nullptr) << "no folder browser";
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>("C:\\windows"));
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    for (DWORD waited = 0; IsWindow(browser) && waited < kPatienceMs; waited += 20) Sleep(20);
    ASSERT_FALSE(IsWindow(browser));
    folder = TextOf(d.page(), 1003);
    d.Press(PSBTN_CANCEL);
  });
  // Relative to the project's folder, and leading to the chosen one.
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder[0], 'C') << folder;
  char full[MAX_PATH] = {};
  GetFullPathNameA((dir_.path() + folder).c_str(), sizeof full, full, nullptr);
  EXPECT_EQ(lstrcmpiA(full, "C:\\windows\\"), 0) << folder << " => " << full;
}

// Plays a user script, as the headless dialogs take it, on the real sheet.
void PlayWithWindows(SheetDriver& d, const std::vector<settings::SettingsAction>& actions) {
  using Action = settings::SettingsAction;
  // A user reaches only controls that are shown and enabled; messages would
  // reach the others too.
  auto usable = [&](int id) {
    HWND control = GetDlgItem(d.page(), id);
    return control != nullptr && IsWindowVisible(control) && IsWindowEnabled(control);
  };
  for (const Action& a : actions) {
    if ((a.kind == Action::kType || a.kind == Action::kClick || a.kind == Action::kChoose) &&
        !usable(a.id)) {
      continue;
    }
    switch (a.kind) {
      case Action::kPage:
        d.Select(a.index);
        break;
      case Action::kType:
        d.Type(a.id, a.text);
        break;
      case Action::kClick:
        d.Click(a.id);
        break;
      case Action::kChoose:
        d.Choose(a.id, a.index);
        break;
      case Action::kApply:
        d.Press(PSBTN_APPLYNOW);
        break;
      case Action::kOk:
      case Action::kCancel:
        d.Press(a.kind == Action::kOk ? PSBTN_OK : PSBTN_CANCEL);
        EXPECT_TRUE(d.WaitClosed());
        return;
      case Action::kDefault:
        SendMessageA(GetDlgItem(d.sheet(), kIdDefault), BM_CLICK, 0, 0);
        break;
      default:
        ADD_FAILURE() << "an action the window test does not play";
        return;
    }
  }
}

// The same scripts through the headless dialogs and through the windows:
// both backends must leave the same project tree.
TEST_F(SettingsUiTest, ScriptsLeaveTheSameTreeAsTheHeadlessDialogs) {
  const char* const scripts[] = {
      "type 1563 11.0592\nok\n",
      "choose 1564 2\nchoose 1565 1\nclick 1196\nok\n",
      "page 2\ntype 1245 firmware\nok\n",
      "page 4\nclick 1009\ntype 1017 echo hi\nok\n",
      "page 5\ntype 1591 FAST\napply\ntype 1591 SLOW\ncancel\n",
      "page 5\nchoose 1593 3\nok\n",
      "page 5\ntype 1591 X\napply\npage 6\nclick 1611\ndefault\nok\n",
      "page 7\nclick 1625\nok\n",
      "page 8\ntype 1621 NOOVERLAY\nok\n",
      "page 2\nclick 1231\nok\n",
  };
  const std::string actions_file = dir_.path() + "actions.txt";
  for (const char* script : scripts) {
    SCOPED_TRACE(script);
    std::vector<settings::SettingsAction> actions;
    std::string err;
    ASSERT_TRUE(settings::ParseSettingsActions(script, &actions, &err)) << err;

    FakeHost headless;
    PrepareHost(&headless);
    ASSERT_TRUE(WriteWholeFile(actions_file, script, &err)) << err;
    ASSERT_TRUE(SetEnv("C51_SETTINGS_ACTIONS", actions_file));
    table_->ShowSettings(headless.root());
    UnsetEnv("C51_SETTINGS_ACTIONS");

    FakeHost windows;
    PrepareHost(&windows);
    Run(windows.root(), [&](SheetDriver& d) { PlayWithWindows(d, actions); });
    EXPECT_EQ(windows.Dump(), headless.Dump());
    FakeHost untouched;
    PrepareHost(&untouched);
    EXPECT_NE(windows.Dump(), untouched.Dump()) << "the script changed nothing";
  }
  host_.Install(table_);
  table_->SetHostContext(host_.Context());
}

// Known values of the two checksums the screenshots' files carry.
TEST(PngWriterTest, ChecksumsAndLayout) {
  const std::string iend = "IEND";
  EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(iend.data()), iend.size()), 0xAE426082u);
  const std::string wiki = "Wikipedia";
  EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(wiki.data()), wiki.size()), 0x11E60398u);

  RgbImage image{2, 1, {255, 0, 0, 0, 0, 255}};
  std::string png = EncodePng(image);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(png.size() - 12), std::string("\0\0\0\0IEND\xAE\x42\x60\x82", 12));
  EXPECT_TRUE(EncodePng(RgbImage{2, 2, {1, 2, 3}}).empty());
}

}  // namespace
}  // namespace c51::test
