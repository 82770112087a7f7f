// A dialog's list editor on real windows: the owner-drawn list box with
// the drag-list behaviour, the header strip painted by us with its button
// image and tooltips, and the in-place edit and "..." button as child
// windows of the list. The model (CListBoxEx, CListHeader) decides; this
// class turns the window system's messages into its calls and mirrors its
// state back onto the windows.
#ifndef C51_SETTINGS_WIN32_WIN32_LIST_EDITOR_H_
#define C51_SETTINGS_WIN32_WIN32_LIST_EDITOR_H_

#include <windows.h>

#include "settings/modal_dialog.h"
#include "settings/widgets/ctrl_msg.h"
#include "settings/widgets/list_box_ex.h"
#include "settings/widgets/list_geometry.h"

namespace c51::settings {

// The metrics of the dialog's font, for the owner-drawn items' height
// (asked before the dialog procedure sees WM_INITDIALOG).
TextMetrics DialogTextMetrics(HWND dialog);

// Loads the header strip's image the way bitmap files are loaded: written
// to a temporary file, loaded from it, the file deleted at once. The 3-D
// greys become the system's. Null when it cannot be loaded.
HBITMAP LoadHeaderImage();

class Win32ListEditor final : public ListSurface, public CtrlMsgRouter {
 public:
  // Binds the list editor `dialog` shows (its list_editor()), which must
  // exist. The parts are asked for on every message: once the dialog has
  // dropped them (OK, Cancel) the windows behave as plain ones.
  Win32ListEditor(HWND dialog, const ModalDialog* owner);
  ~Win32ListEditor();
  Win32ListEditor(const Win32ListEditor&) = delete;
  Win32ListEditor& operator=(const Win32ListEditor&) = delete;

  // From the dialog procedure: drawing the items, the drag-list messages.
  // True with `result` when handled.
  bool OnDialogMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

  HWND list() const { return list_; }
  HWND header() const { return header_; }
  HWND edit() const { return edit_; }
  HWND button() const { return button_; }
  HWND tooltip() const { return tooltip_; }

  // ListSurface.
  void SetRedraw(bool on) override;
  void Invalidate() override;
  void InvertInsertMark(const InsertMarkShape& mark) override;
  // CtrlMsgRouter: the registered message to the list window.
  int Route(CtrlMsgOwner* owner, const CtrlMsg& msg) override;

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK HeaderProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK InPlaceProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                      UINT_PTR id, DWORD_PTR data);
  LRESULT OnListMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnHeaderMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnInPlaceMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  CListBoxEx* model() const { return owner_->list_editor().list; }
  CListHeader* header_model() const { return owner_->list_editor().header; }
  // The list's size and scroll position into the model.
  void UpdateLayout();
  // The model's in-place controls, focus and scroll position onto the
  // windows; the focus only when `move_focus` (not while it is moving).
  void Sync(bool move_focus = true);
  // The control id the model knows `window` by.
  int IdOf(HWND window) const;
  void PaintHeader();
  void PlaceToolTips();
  void DrawItem(const DRAWITEMSTRUCT& item);

  HWND dialog_;
  const ModalDialog* owner_;
  HWND list_ = nullptr;
  HWND header_ = nullptr;
  HWND edit_ = nullptr;
  HWND button_ = nullptr;
  HWND tooltip_ = nullptr;
  HBITMAP image_ = nullptr;
  HBRUSH halftone_ = nullptr;
  UINT ctrl_msg_ = 0;
  UINT drag_msg_ = 0;
  CtrlMsgOwner* routed_owner_ = nullptr;
  // Set while the windows are changed to match the model: the messages
  // that causes are not the user's.
  bool syncing_ = false;
  bool tracking_leave_ = false;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIN32_WIN32_LIST_EDITOR_H_
