// The modal run of a plain dialog (the include-directories editor).
#include <windows.h>

#include <memory>

#include "settings/modal_dialog.h"
#include "settings/settings_backend.h"
#include "settings/win32/dialog_resource.h"
#include "settings/win32/win32_backend.h"
#include "settings/win32/win32_dialog_controls.h"
#include "settings/win32/win32_list_editor.h"

namespace c51::settings {
namespace {

struct DialogRun {
  ModalDialog* dialog;
  Language language;
  std::unique_ptr<Win32DialogControls> controls;
  std::unique_ptr<Win32ListEditor> list_editor;
};

INT_PTR HandleDialogMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // Owner-drawn lists ask for their item height while the dialog is being
  // built, before it is initialised.
  if (message == WM_MEASUREITEM) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
    if (item == nullptr || item->CtlType != ODT_LISTBOX) return FALSE;
    item->itemHeight = static_cast<UINT>(ItemHeight(DialogTextMetrics(window)));
    return TRUE;
  }
  if (message == WM_INITDIALOG) {
    auto* run = reinterpret_cast<DialogRun*>(lparam);
    SetWindowLongPtrA(window, DWLP_USER, lparam);
    run->controls = std::make_unique<Win32DialogControls>(window);
    run->controls->FillLists(run->dialog->Template(run->language));
    run->dialog->Attach(run->controls.get());
    run->dialog->OnInitDialog();
    if (run->dialog->list_editor().list != nullptr) {
      run->list_editor = std::make_unique<Win32ListEditor>(window, run->dialog);
    }
    return TRUE;
  }
  auto* run = reinterpret_cast<DialogRun*>(GetWindowLongPtrA(window, DWLP_USER));
  if (run == nullptr || run->controls == nullptr) return FALSE;
  if (run->list_editor != nullptr) {
    LRESULT result = 0;
    if (run->list_editor->OnDialogMessage(message, wparam, lparam, &result)) {
      SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
      return TRUE;
    }
  }
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wparam);
      // The dialog manager sends IDCANCEL for Escape and the close box.
      if (id == IDOK && HIWORD(wparam) == BN_CLICKED) {
        if (run->dialog->OnOK()) EndDialog(window, kResultOk);
        return TRUE;
      }
      if (id == IDCANCEL) {
        run->dialog->OnCancel();
        EndDialog(window, kResultCancel);
        return TRUE;
      }
      HWND control = reinterpret_cast<HWND>(lparam);
      if (control == nullptr) return FALSE;
      if (auto code = MapNotification(ClassOf(control), HIWORD(wparam))) {
        run->dialog->OnControl(id, *code);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DESTROY:
      run->list_editor.reset();
      run->dialog->Attach(nullptr);
      run->controls.reset();
      return FALSE;
    default:
      return FALSE;
  }
}

// No exception may unwind through the window system's frames.
INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  try {
    return HandleDialogMessage(window, message, wparam, lparam);
  } catch (...) {
    return FALSE;
  }
}

}  // namespace

int Win32Backend::RunDialog(ModalDialog* dialog) {
  DialogRun run{dialog, resource_language(), nullptr, nullptr};
  HMODULE module = SettingsModule();
  DialogSource source(module, dialog->Template(run.language), run.language, DialogUse::kModal);
  INT_PTR result = DialogBoxIndirectParamA(module, source.get(), GetActiveWindow(), DialogProc,
                                           reinterpret_cast<LPARAM>(&run));
  dialog->Attach(nullptr);
  return result == kResultOk ? kResultOk : kResultCancel;
}

}  // namespace c51::settings
