#include "settings/win32/win32_sheet.h"

#include <windows.h>
// windows.h first: the common controls header needs its types.
#include <commctrl.h>

#include <memory>
#include <vector>

#include "settings/ardel_property_sheet.h"
#include "settings/settings_backend.h"
#include "settings/win32/dialog_resource.h"
#include "settings/win32/win32_dialog_controls.h"

namespace c51::settings {
namespace {

// Posted to the sheet once comctl32 has built it: the sheet's own
// initialisation needs the buttons, which exist only by then.
constexpr UINT kSheetInitialised = WM_APP + 51;
constexpr UINT_PTR kSubclassId = 7701;

class SheetRun;

// One page of the run: its template, and its window and controls once the
// platform has created it (on the page's first activation).
struct PageHost {
  SheetRun* run = nullptr;
  CArdelPage* page = nullptr;
  std::unique_ptr<DialogSource> source;
  HWND window = nullptr;
  std::unique_ptr<Win32DialogControls> controls;
};

class SheetRun final : public SheetFrame {
 public:
  SheetRun(CArdelPropertySheet* sheet, SettingsBackend* backend);
  ~SheetRun();
  SheetRun(const SheetRun&) = delete;
  SheetRun& operator=(const SheetRun&) = delete;

  int Run();

  // SheetFrame
  bool FindButton(int id, Rect* client_rect) const override;
  void EnableButton(int id, bool enabled) override;
  void CreateButton(int id, const std::string& text, const Rect& client_rect) override;
  void PageModified(CArdelPage* page, bool changed) override;
  CArdelPage* ActivePage() const override;

  // The page procedure's side.
  void PageCreated(PageHost* host, HWND window);
  void PageDestroyed(PageHost* host);
  void OkAccepted(bool accepted) { ok_ = accepted; }

  // The sheet window's side.
  void Subclass(HWND sheet);
  static LRESULT CALLBACK SheetProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR data);
  LRESULT HandleSheetMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // The run being started on this thread, for the sheet callback, which
  // has no parameter of its own.
  static thread_local SheetRun* starting_;

 private:
  void Initialise();
  void PaintCaption();
  bool ClientRectOf(HWND control, RECT* rect) const;

  CArdelPropertySheet* sheet_;
  Language language_;  // of the templates
  std::vector<std::unique_ptr<PageHost>> pages_;
  HWND window_ = nullptr;
  HFONT caption_font_ = nullptr;
  bool ok_ = false;
};

thread_local SheetRun* SheetRun::starting_ = nullptr;

INT_PTR HandlePageMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* host = reinterpret_cast<PageHost*>(reinterpret_cast<PROPSHEETPAGEA*>(lparam)->lParam);
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(host));
    host->run->PageCreated(host, window);
    return TRUE;
  }
  auto* host = reinterpret_cast<PageHost*>(GetWindowLongPtrA(window, DWLP_USER));
  if (host == nullptr || host->controls == nullptr) return FALSE;
  CArdelPage* page = host->page;
  auto answer = [window](LONG_PTR result) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
  };
  switch (message) {
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      switch (header->code) {
        case PSN_SETACTIVE:
          // -1 refuses the activation.
          return answer(page->OnSetActive() ? 0 : -1);
        case PSN_KILLACTIVE:
          // TRUE keeps the page active.
          return answer(page->OnKillActive() ? FALSE : TRUE);
        case PSN_APPLY: {
          if (!page->OnApply()) return answer(PSNRET_INVALID_NOCHANGEPAGE);
          page->ClearModified();
          // lParam tells OK from Apply; a later page may still refuse OK,
          // and a Cancel after that resets the answer.
          if (reinterpret_cast<const PSHNOTIFY*>(lparam)->lParam) host->run->OkAccepted(true);
          return answer(PSNRET_NOERROR);
        }
        case PSN_RESET:
          page->OnReset();
          host->run->OkAccepted(false);
          return answer(0);
        default:
          return FALSE;
      }
    }
    case WM_COMMAND: {
      HWND control = reinterpret_cast<HWND>(lparam);
      if (control == nullptr) return FALSE;  // menus and accelerators
      if (auto code = MapNotification(ClassOf(control), HIWORD(wparam))) {
        page->OnControl(LOWORD(wparam), *code);
        return TRUE;
      }
      return FALSE;
    }
    case kIdDefault:
      page->OnDefault();
      return TRUE;
    case WM_DESTROY:
      host->run->PageDestroyed(host);
      return FALSE;
    default:
      return FALSE;
  }
}

// No exception may unwind through the window system's frames.
INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    return HandlePageMessage(window, message, wparam, lparam);
  } catch (...) {
    return FALSE;
  }
}

int CALLBACK SheetCallback(HWND window, UINT message, LPARAM) {
  if (message == PSCB_INITIALIZED && SheetRun::starting_ != nullptr) {
    SheetRun::starting_->Subclass(window);
  }
  return 0;
}

SheetRun::SheetRun(CArdelPropertySheet* sheet, SettingsBackend* backend)
    : sheet_(sheet), language_(backend->resource_language()) {
  HMODULE module = SettingsModule();
  for (int i = 0; i < sheet->page_count(); ++i) {
    CArdelPage* page = sheet->page(i);
    DialogTemplate layout = page->Template(language_);
    layout.id = page->template_id();
    auto host = std::make_unique<PageHost>();
    host->run = this;
    host->page = page;
    host->source = std::make_unique<DialogSource>(module, layout, language_, DialogUse::kPage);
    pages_.push_back(std::move(host));
  }
}

SheetRun::~SheetRun() {
  for (auto& host : pages_) host->page->Attach(sheet_, nullptr);
  sheet_->set_frame(nullptr);
  if (caption_font_ != nullptr) DeleteObject(caption_font_);
}

int SheetRun::Run() {
  std::vector<PROPSHEETPAGEA> sheets(pages_.size());
  for (size_t i = 0; i < pages_.size(); ++i) {
    PROPSHEETPAGEA& p = sheets[i];
    p = {};
    p.dwSize = sizeof p;
    p.dwFlags = PSP_DLGINDIRECT;
    p.hInstance = SettingsModule();
    p.pResource = pages_[i]->source->get();
    p.pfnDlgProc = PageProc;
    p.lParam = reinterpret_cast<LPARAM>(pages_[i].get());
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
  header.hwndParent = GetActiveWindow();
  header.hInstance = SettingsModule();
  header.pszCaption = sheet_->title().c_str();
  header.nPages = static_cast<UINT>(sheets.size());
  int first = sheet_->start_page();
  header.nStartPage = first >= 0 && first < sheet_->page_count() ? first : 0;
  header.ppsp = sheets.data();
  header.pfnCallback = SheetCallback;

  sheet_->set_frame(this);
  for (auto& host : pages_) host->page->Attach(sheet_, nullptr);
  SheetRun* outer = starting_;
  starting_ = this;
  INT_PTR result = PropertySheetA(&header);
  starting_ = outer;
  return result > 0 && ok_ ? kResultOk : kResultCancel;
}

void SheetRun::Subclass(HWND sheet) {
  window_ = sheet;
  SetWindowSubclass(sheet, SheetProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  PostMessageA(sheet, kSheetInitialised, 0, 0);
}

void SheetRun::Initialise() {
  sheet_->OnInitDialog(this);
  if (caption_font_ != nullptr) DeleteObject(caption_font_);
  caption_font_ = CreateFontA(kCaptionHeight, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, kCaptionFace);
  InvalidateRect(window_, nullptr, TRUE);
}

// The sheet's modal loop looks at whether it has ended only when a message
// arrives: after a button pressed by a message rather than by the mouse
// nothing might come.
void WakeLoop(HWND sheet) {
  PostMessageA(sheet, WM_NULL, 0, 0);
}

LRESULT CALLBACK SheetRun::SheetProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR, DWORD_PTR data) {
  try {
    return reinterpret_cast<SheetRun*>(data)->HandleSheetMessage(window, message, wparam, lparam);
  } catch (...) {
    return DefSubclassProc(window, message, wparam, lparam);
  }
}

LRESULT SheetRun::HandleSheetMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kSheetInitialised:
      Initialise();
      return 0;
    case WM_COMMAND: {
      if (HIWORD(wparam) == BN_CLICKED && sheet_->OnCommand(LOWORD(wparam))) return 0;
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) WakeLoop(window);
      return result;
    }
    case PSM_PRESSBUTTON: {
      // comctl32 may apply without a WM_COMMAND of the Apply button; the
      // store flag must be set all the same, as a click would.
      if (wparam == PSBTN_APPLYNOW) {
        HWND apply = GetDlgItem(window, kIdApply);
        if (apply != nullptr && IsWindowEnabled(apply)) sheet_->OnCommand(kIdApply);
      }
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      if (wparam == PSBTN_OK || wparam == PSBTN_CANCEL) WakeLoop(window);
      return result;
    }
    case WM_PAINT: {
      LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      PaintCaption();
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(window, SheetProc, kSubclassId);
      window_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

bool SheetRun::ClientRectOf(HWND control, RECT* rect) const {
  if (control == nullptr || !GetWindowRect(control, rect)) return false;
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(rect), 2);
  return true;
}

void SheetRun::PaintCaption() {
  const std::string& text = sheet_->caption_text();
  RECT tab, ok;
  if (text.empty() || caption_font_ == nullptr ||
      !ClientRectOf(reinterpret_cast<HWND>(SendMessageA(window_, PSM_GETTABCONTROL, 0, 0)), &tab) ||
      !ClientRectOf(GetDlgItem(window_, kIdOk), &ok)) {
    return;
  }
  RECT area{tab.left, ok.top, ok.left, ok.bottom};
  HDC dc = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS);
  if (dc == nullptr) return;
  int mode = SetBkMode(dc, TRANSPARENT);
  HGDIOBJ font = SelectObject(dc, caption_font_);
  COLORREF color = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX;
  RECT raised = area;
  OffsetRect(&raised, 1, 1);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &raised, format);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
  SetTextColor(dc, color);
  SelectObject(dc, font);
  SetBkMode(dc, mode);
  ReleaseDC(window_, dc);
}

void SheetRun::PageCreated(PageHost* host, HWND window) {
  // A page can be created before the sheet's callback ran.
  if (window_ == nullptr) window_ = GetParent(window);
  host->window = window;
  host->controls = std::make_unique<Win32DialogControls>(window);
  // Resources cannot carry list items: the template's are the lists' data.
  host->controls->FillLists(host->page->Template(language_));
  host->page->Attach(sheet_, host->controls.get());
  host->page->OnInitDialog();
}

void SheetRun::PageDestroyed(PageHost* host) {
  host->page->Attach(sheet_, nullptr);
  host->controls.reset();
  host->window = nullptr;
}

bool SheetRun::FindButton(int id, Rect* client_rect) const {
  RECT rect;
  if (window_ == nullptr || !ClientRectOf(GetDlgItem(window_, id), &rect)) return false;
  if (client_rect != nullptr) *client_rect = Rect{rect.left, rect.top, rect.right, rect.bottom};
  return true;
}

void SheetRun::EnableButton(int id, bool enabled) {
  if (HWND button = window_ ? GetDlgItem(window_, id) : nullptr) EnableWindow(button, enabled);
}

void SheetRun::CreateButton(int id, const std::string& text, const Rect& r) {
  if (window_ == nullptr) return;
  HWND button = GetDlgItem(window_, id);
  if (button != nullptr) {
    SetWindowTextA(button, text.c_str());
    MoveWindow(button, r.left, r.top, r.width(), r.height(), TRUE);
    return;
  }
  button =
      CreateWindowExA(0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                      r.left, r.top, r.width(), r.height(), window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), SettingsModule(), nullptr);
  if (button != nullptr)
    SendMessageA(button, WM_SETFONT, SendMessageA(window_, WM_GETFONT, 0, 0), TRUE);
}

void SheetRun::PageModified(CArdelPage* page, bool changed) {
  if (window_ == nullptr) return;
  for (auto& host : pages_) {
    if (host->page != page || host->window == nullptr) continue;
    SendMessageA(window_, changed ? PSM_CHANGED : PSM_UNCHANGED,
                 reinterpret_cast<WPARAM>(host->window), 0);
  }
}

CArdelPage* SheetRun::ActivePage() const {
  if (window_ == nullptr) return nullptr;
  HWND current = reinterpret_cast<HWND>(SendMessageA(window_, PSM_GETCURRENTPAGEHWND, 0, 0));
  for (const auto& host : pages_) {
    if (host->window != nullptr && host->window == current) return host->page;
  }
  return nullptr;
}

}  // namespace

int RunWin32Sheet(CArdelPropertySheet* sheet, SettingsBackend* backend) {
  SheetRun run(sheet, backend);
  return run.Run();
}

}  // namespace c51::settings
