#include "settings/win32/win32_list_editor.h"

// windows.h first: the common controls header needs its types.
#include <commctrl.h>

#include <string>

#include "settings/widgets/header_image.h"
#include "settings/widgets/list_header.h"

namespace c51::settings {
namespace {

constexpr UINT_PTR kSubclassId = 0xC51;
// The drag list's registered message (the narrow name: this library
// speaks to the window system in 8-bit texts).
constexpr char kDragListMessage[] = "commctrl_DragListMsg";

RECT ToRECT(const Rect& r) {
  return RECT{r.left, r.top, r.right, r.bottom};
}
Rect FromRECT(const RECT& r) {
  return Rect{r.left, r.top, r.right, r.bottom};
}
Point PointOf(LPARAM lparam) {
  return Point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  const int got = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

// The style bit, not IsWindowVisible: the dialog itself may not be shown yet.
bool Shown(HWND window) {
  return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Place(HWND window, const Rect& rect) {
  RECT now;
  GetWindowRect(window, &now);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
  if (FromRECT(now) == rect) return;
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.width(), rect.height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void RelayToToolTip(HWND tooltip, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (tooltip == nullptr) return;
  MSG msg{};
  msg.hwnd = window;
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  msg.time = static_cast<DWORD>(GetMessageTime());
  GetCursorPos(&msg.pt);
  SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace

TextMetrics DialogTextMetrics(HWND dialog) {
  TextMetrics metrics;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  HDC dc = GetDC(dialog);
  if (dc == nullptr) return metrics;
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm{};
  if (GetTextMetricsA(dc, &tm)) {
    metrics.height = tm.tmHeight;
    metrics.external_leading = tm.tmExternalLeading;
  }
  SelectObject(dc, old);
  ReleaseDC(dialog, dc);
  return metrics;
}

HBITMAP LoadHeaderImage() {
  char folder[MAX_PATH];
  const DWORD length = GetTempPathA(MAX_PATH, folder);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  char path[MAX_PATH];
  if (GetTempFileNameA(folder, "c51", 0, path) == 0) return nullptr;
  const std::string bytes = HeaderImageBitmapFile();
  bool written = false;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD done = 0;
    written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) &&
              done == bytes.size();
    CloseHandle(file);
  }
  HBITMAP image = nullptr;
  if (written) {
    image = static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_LOADMAP3DCOLORS));
  }
  DeleteFileA(path);
  return image;
}

Win32ListEditor::Win32ListEditor(HWND dialog, const ModalDialog* owner)
    : dialog_(dialog), owner_(owner) {
  const ListEditorParts parts = owner->list_editor();
  ctrl_msg_ = RegisterWindowMessageA(kCtrlMsgName);
  drag_msg_ = RegisterWindowMessageA(kDragListMessage);
  static const WORD kHalftone[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
  if (HBITMAP pattern = CreateBitmap(8, 8, 1, 1, kHalftone)) {
    halftone_ = CreatePatternBrush(pattern);
    DeleteObject(pattern);
  }
  auto* instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
  const WPARAM font = static_cast<WPARAM>(SendMessageA(dialog, WM_GETFONT, 0, 0));

  list_ = parts.list != nullptr ? GetDlgItem(dialog, parts.list->id()) : nullptr;
  if (list_ != nullptr) {
    MakeDragList(list_);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, 0, 0, 0, 0, list_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdInPlaceEdit)), instance,
                            nullptr);
    button_ = CreateWindowExA(
        0, "BUTTON", CInPlaceButton::kText, WS_CHILD | BS_PUSHBUTTON, 0, 0, 0, 0, list_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdInPlaceButton)), instance, nullptr);
    for (HWND child : {edit_, button_}) {
      if (child == nullptr) continue;
      SendMessageA(child, WM_SETFONT, font, FALSE);
      SetWindowSubclass(child, InPlaceProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }
    SetWindowSubclass(list_, ListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    parts.list->SetTextMetrics(DialogTextMetrics(dialog));
    parts.list->set_surface(this);
    parts.list->set_ctrl_msg_router(this);
    UpdateLayout();
  }

  header_ = parts.header != nullptr ? GetDlgItem(dialog, parts.header_id) : nullptr;
  if (header_ != nullptr) {
    image_ = LoadHeaderImage();
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    RECT client;
    GetClientRect(header_, &client);
    parts.header->OnSize(FromRECT(client));
    if (tooltip_ != nullptr) {
      for (int i = 0; i < kHeaderButtonCount; ++i) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = header_;
        tool.uId = static_cast<UINT_PTR>(i);
        tool.rect = ToRECT(parts.header->layout().buttons[i]);
        tool.lpszText = const_cast<char*>(HeaderToolTip(i));
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
      }
    }
    SetWindowSubclass(header_, HeaderProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    InvalidateRect(header_, nullptr, TRUE);
  }
}

Win32ListEditor::~Win32ListEditor() {
  if (CListBoxEx* m = model()) {
    m->set_surface(nullptr);
    m->set_ctrl_msg_router(nullptr);
  }
  if (list_ != nullptr) RemoveWindowSubclass(list_, ListProc, kSubclassId);
  if (header_ != nullptr) RemoveWindowSubclass(header_, HeaderProc, kSubclassId);
  for (HWND child : {edit_, button_}) {
    if (child == nullptr) continue;
    RemoveWindowSubclass(child, InPlaceProc, kSubclassId);
    DestroyWindow(child);
  }
  if (tooltip_ != nullptr) DestroyWindow(tooltip_);
  if (image_ != nullptr) DeleteObject(image_);
  if (halftone_ != nullptr) DeleteObject(halftone_);
}

bool Win32ListEditor::OnDialogMessage(UINT message, WPARAM, LPARAM lparam, LRESULT* result) {
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    if (item == nullptr || item->hwndItem != list_ || list_ == nullptr) return false;
    DrawItem(*item);
    *result = TRUE;
    return true;
  }
  if (message != drag_msg_ || drag_msg_ == 0) return false;
  const auto* info = reinterpret_cast<const DRAGLISTINFO*>(lparam);
  CListBoxEx* m = model();
  if (info == nullptr || info->hWnd != list_ || m == nullptr) return false;
  POINT at = info->ptCursor;
  ScreenToClient(list_, &at);
  const Point p{at.x, at.y};
  UpdateLayout();
  *result = 0;
  switch (info->uNotification) {
    case DL_BEGINDRAG:
      *result = m->BeginDrag(p) ? TRUE : FALSE;
      break;
    case DL_DRAGGING:
      m->Dragging(p);
      *result = m->insert_mark() >= 0 ? DL_MOVECURSOR : DL_STOPCURSOR;
      break;
    case DL_CANCELDRAG:
      m->CancelDrag();
      break;
    case DL_DROPPED:
      m->Dropped(p);
      // Whatever the drag left on the border goes with a full redraw.
      RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
      break;
    default:
      return false;
  }
  Sync();
  return true;
}

void Win32ListEditor::SetRedraw(bool on) {
  SendMessageA(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListEditor::Invalidate() {
  InvalidateRect(list_, nullptr, TRUE);
}

void Win32ListEditor::InvertInsertMark(const InsertMarkShape& mark) {
  HDC dc = GetDC(list_);
  if (dc == nullptr) return;
  IntersectClipRect(dc, mark.clip.left, mark.clip.top, mark.clip.right, mark.clip.bottom);
  HGDIOBJ old = SelectObject(
      dc, halftone_ != nullptr ? static_cast<HGDIOBJ>(halftone_) : GetStockObject(GRAY_BRUSH));
  for (const Rect& r : {mark.line, mark.left_tick, mark.right_tick}) {
    PatBlt(dc, r.left, r.top, r.width(), r.height(), PATINVERT);
  }
  SelectObject(dc, old);
  ReleaseDC(list_, dc);
}

int Win32ListEditor::Route(CtrlMsgOwner* owner, const CtrlMsg& msg) {
  CtrlMsg record = msg;
  POINT cursor;
  if (GetCursorPos(&cursor)) {
    record.x = cursor.x;
    record.y = cursor.y;
  }
  CtrlMsgOwner* outer = routed_owner_;
  routed_owner_ = owner;
  const LRESULT answer = SendMessageA(list_, ctrl_msg_, 0, reinterpret_cast<LPARAM>(&record));
  routed_owner_ = outer;
  return static_cast<int>(answer);
}

LRESULT CALLBACK Win32ListEditor::ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                           UINT_PTR, DWORD_PTR data) {
  try {
    return reinterpret_cast<Win32ListEditor*>(data)->OnListMessage(message, wparam, lparam);
  } catch (...) {
    return DefSubclassProc(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK Win32ListEditor::HeaderProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  try {
    return reinterpret_cast<Win32ListEditor*>(data)->OnHeaderMessage(message, wparam, lparam);
  } catch (...) {
    return DefSubclassProc(window, message, wparam, lparam);
  }
}

LRESULT CALLBACK Win32ListEditor::InPlaceProc(HWND window, UINT message, WPARAM wparam,
                                              LPARAM lparam, UINT_PTR, DWORD_PTR data) {
  try {
    return reinterpret_cast<Win32ListEditor*>(data)->OnInPlaceMessage(window, message, wparam,
                                                                      lparam);
  } catch (...) {
    return DefSubclassProc(window, message, wparam, lparam);
  }
}

LRESULT Win32ListEditor::OnListMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  CListBoxEx* m = model();
  if (message == ctrl_msg_ && ctrl_msg_ != 0) {
    const auto* record = reinterpret_cast<const CtrlMsg*>(lparam);
    CtrlMsgOwner* owner = routed_owner_ != nullptr ? routed_owner_ : m;
    return record != nullptr && owner != nullptr ? owner->OnCtrlMsg(*record) : 1;
  }
  if (m == nullptr) return DefSubclassProc(list_, message, wparam, lparam);
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The list box selects and takes the focus (and the drag list may
      // begin a drag) before the editor hears of the click.
      const LRESULT result = DefSubclassProc(list_, message, wparam, lparam);
      if ((m = model()) == nullptr) return result;
      UpdateLayout();
      if (message == WM_LBUTTONDOWN) {
        m->OnLButtonDown(PointOf(lparam));
      } else {
        m->OnLButtonDblClk(PointOf(lparam));
      }
      Sync();
      return result;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const bool alt = message == WM_SYSKEYDOWN;
      if (alt && (wparam < VK_LEFT || wparam > VK_DOWN)) break;
      UpdateLayout();
      if (m->OnKeyDown(static_cast<int>(wparam), alt)) {
        Sync();
        return 0;
      }
      break;
    }
    case WM_SETFOCUS: {
      const LRESULT result = DefSubclassProc(list_, message, wparam, lparam);
      if (!syncing_ && (m = model()) != nullptr) {
        m->input().SetFocus(m->id());
        Sync(false);
      }
      return result;
    }
    case WM_COMMAND: {
      const HWND from = reinterpret_cast<HWND>(lparam);
      if (syncing_) return 0;
      if (from == edit_ && HIWORD(wparam) == EN_CHANGE) {
        if (m->edit().visible()) m->edit().SetText(WindowText(edit_));
        return 0;
      }
      if (from == button_ && HIWORD(wparam) == BN_CLICKED) {
        // A click gives the button the focus before it reports.
        if (m->input().focus() != kIdInPlaceButton) m->input().SetFocus(kIdInPlaceButton);
        if ((m = model()) != nullptr) m->button().Click();
        Sync();
        return 0;
      }
      break;
    }
    case WM_SIZE:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL: {
      const LRESULT result = DefSubclassProc(list_, message, wparam, lparam);
      if (model() != nullptr) UpdateLayout();
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(list_, message, wparam, lparam);
}

LRESULT Win32ListEditor::OnInPlaceMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  CListBoxEx* m = model();
  if (m == nullptr) return DefSubclassProc(window, message, wparam, lparam);
  const bool is_edit = window == edit_;
  switch (message) {
    case WM_GETDLGCODE: {
      LRESULT code = DefSubclassProc(window, message, wparam, lparam);
      // Enter and Escape belong to the edit, Escape to the button: the
      // dialog must not take them for OK and Cancel.
      if (is_edit) return code | DLGC_WANTALLKEYS;
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
      if (is_edit && (wparam == VK_RETURN || wparam == VK_ESCAPE)) {
        m->edit().SetText(WindowText(edit_));
        m->edit().OnKey(static_cast<int>(wparam));
        Sync();
        return 0;
      }
      if (!is_edit && wparam == VK_ESCAPE) {
        m->button().OnKey(VK_ESCAPE);
        Sync();
        return 0;
      }
      break;
    case WM_CHAR:
      // The keys' characters would only beep.
      if (wparam == '\r' || wparam == 0x1B) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
      if (syncing_ || (m = model()) == nullptr) return result;
      const HWND now = message == WM_SETFOCUS ? window : reinterpret_cast<HWND>(wparam);
      m->input().SetFocus(IdOf(now));
      // The focus is moving already: only the windows follow the model.
      Sync(false);
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

LRESULT Win32ListEditor::OnHeaderMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  CListHeader* h = header_model();
  if (h == nullptr) return DefSubclassProc(header_, message, wparam, lparam);
  switch (message) {
    case WM_PAINT:
      PaintHeader();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      // A caption, not a button: its mnemonic moves on to the list.
      return DLGC_STATIC;
    case WM_SIZE: {
      const LRESULT result = DefSubclassProc(header_, message, wparam, lparam);
      RECT client;
      GetClientRect(header_, &client);
      h->OnSize(FromRECT(client));
      PlaceToolTips();
      InvalidateRect(header_, nullptr, TRUE);
      return result;
    }
    case WM_MOUSEMOVE:
      RelayToToolTip(tooltip_, header_, message, wparam, lparam);
      if (!tracking_leave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, header_, 0};
        tracking_leave_ = TrackMouseEvent(&track) != FALSE;
      }
      if (h->OnMouseMove(PointOf(lparam))) InvalidateRect(header_, nullptr, TRUE);
      return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      if (h->OnMouseLeave()) InvalidateRect(header_, nullptr, TRUE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      RelayToToolTip(tooltip_, header_, message, wparam, lparam);
      if (h->OnLButtonDown(PointOf(lparam))) {
        SetCapture(header_);
        InvalidateRect(header_, nullptr, TRUE);
      }
      return 0;
    case WM_LBUTTONUP: {
      RelayToToolTip(tooltip_, header_, message, wparam, lparam);
      if (model() != nullptr) UpdateLayout();
      const bool was_pressed = h->OnLButtonUp(PointOf(lparam));
      if (GetCapture() == header_) ReleaseCapture();
      if (was_pressed) {
        InvalidateRect(header_, nullptr, TRUE);
        Sync();
      }
      return 0;
    }
    case WM_SETTEXT:
    case WM_ENABLE:
    case BM_SETSTATE:
    case BM_SETSTYLE: {
      // The button would draw itself at once; our painting follows.
      const LRESULT result = DefSubclassProc(header_, message, wparam, lparam);
      InvalidateRect(header_, nullptr, TRUE);
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(header_, message, wparam, lparam);
}

void Win32ListEditor::UpdateLayout() {
  CListBoxEx* m = model();
  if (m == nullptr || list_ == nullptr) return;
  RECT client;
  GetClientRect(list_, &client);
  m->SetClientRect(FromRECT(client));
  m->SetTopIndex(static_cast<int>(SendMessageA(list_, LB_GETTOPINDEX, 0, 0)));
}

int Win32ListEditor::IdOf(HWND window) const {
  if (window == nullptr) return kNoWindow;
  if (window == edit_) return kIdInPlaceEdit;
  if (window == button_) return kIdInPlaceButton;
  if (window == list_) {
    CListBoxEx* m = model();
    return m != nullptr ? m->id() : kNoWindow;
  }
  if (IsChild(dialog_, window)) return GetDlgCtrlID(window);
  return kNoWindow;
}

void Win32ListEditor::Sync(bool move_focus) {
  CListBoxEx* m = model();
  if (m == nullptr || list_ == nullptr) return;
  syncing_ = true;
  const int top = m->layout().top_index;
  if (SendMessageA(list_, LB_GETTOPINDEX, 0, 0) != top) SendMessageA(list_, LB_SETTOPINDEX, top, 0);

  // Shown first, then the focus, then hidden: a hidden window must not
  // keep the focus.
  const CInPlaceEdit& edit = m->edit();
  if (edit.visible() && edit_ != nullptr) {
    if (WindowText(edit_) != edit.text()) SetWindowTextA(edit_, edit.text().c_str());
    Place(edit_, edit.rect());
    if (!Shown(edit_)) {
      SendMessageA(edit_, EM_SETMARGINS, EC_LEFTMARGIN, MAKELONG(edit.left_margin(), 0));
      ShowWindow(edit_, SW_SHOWNA);
    }
    if (edit.all_selected()) SendMessageA(edit_, EM_SETSEL, 0, -1);
  }
  const CInPlaceButton& button = m->button();
  if (button.visible() && button_ != nullptr) {
    Place(button_, button.rect());
    if (!Shown(button_)) ShowWindow(button_, SW_SHOWNA);
  }
  if (move_focus) {
    const int focus = m->input().focus();
    HWND want = focus == kIdInPlaceEdit     ? edit_
                : focus == kIdInPlaceButton ? button_
                : focus == m->id()          ? list_
                                            : nullptr;
    if (want != nullptr && GetFocus() != want && Shown(want)) SetFocus(want);
  }
  if (!edit.visible() && edit_ != nullptr && Shown(edit_)) ShowWindow(edit_, SW_HIDE);
  if (!button.visible() && button_ != nullptr && Shown(button_)) ShowWindow(button_, SW_HIDE);
  syncing_ = false;
}

void Win32ListEditor::DrawItem(const DRAWITEMSTRUCT& item) {
  const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
  const int index = item.itemID == static_cast<UINT>(-1) ? -1 : static_cast<int>(item.itemID);
  const ItemPaint plan =
      PlanItemPaint(FromRECT(item.rcItem), index, count, (item.itemState & ODS_SELECTED) != 0);
  if (!plan.draw) return;
  HDC dc = item.hDC;
  FillRect(dc, &item.rcItem, GetSysColorBrush(plan.highlight ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, index, 0);
  std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
  if (length > 0) {
    SendMessageA(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  }
  text.resize(length > 0 ? static_cast<size_t>(length) : 0);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour =
      SetTextColor(dc, GetSysColor(plan.highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT area = ToRECT(plan.text);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
  if (plan.focus_rect) DrawFocusRect(dc, &item.rcItem);
}

void Win32ListEditor::PaintHeader() {
  CListHeader* h = header_model();
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(header_, &paint);
  if (dc == nullptr) return;
  RECT client;
  GetClientRect(header_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const HeaderLayout& layout = h->layout();

  const std::string caption = WindowText(header_);
  HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF colour =
      SetTextColor(dc, GetSysColor(IsWindowEnabled(header_) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT area = ToRECT(layout.caption);
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
            DT_LEFT | DT_SINGLELINE | DT_VCENTER);
  SetTextColor(dc, colour);
  SetBkMode(dc, mode);
  SelectObject(dc, font);

  if (image_ != nullptr) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, image_);
    BitBlt(dc, layout.image.left, layout.image.top, kHeaderImageWidth, kHeaderImageHeight, memory,
           0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  for (int i = 0; i < kHeaderButtonCount; ++i) {
    const ButtonEdge edge = h->Edge(i);
    if (edge == ButtonEdge::kNone) continue;
    RECT frame = ToRECT(layout.buttons[i]);
    DrawEdge(dc, &frame, edge == ButtonEdge::kSunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  EndPaint(header_, &paint);
}

void Win32ListEditor::PlaceToolTips() {
  CListHeader* h = header_model();
  if (tooltip_ == nullptr || h == nullptr) return;
  for (int i = 0; i < kHeaderButtonCount; ++i) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = header_;
    tool.uId = static_cast<UINT_PTR>(i);
    tool.rect = ToRECT(h->layout().buttons[i]);
    SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace c51::settings
