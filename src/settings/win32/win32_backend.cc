#include "settings/win32/win32_backend.h"

#include <windows.h>
// windows.h first: the shell and dialog headers need its types.
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

#include "platform/message_box.h"
#include "settings/ardel_page.h"
#include "settings/folder_choosers.h"
#include "settings/win32/dialog_resource.h"
#include "settings/win32/win32_dialog_controls.h"
#include "settings/win32/win32_sheet.h"

namespace c51::settings {
namespace {

// An item list of the shell, freed with the shell's allocator.
struct ItemList {
  explicit ItemList(PIDLIST_ABSOLUTE list) : list(list) {}
  ~ItemList() {
    if (list != nullptr) CoTaskMemFree(list);
  }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  PIDLIST_ABSOLUTE list;
};

std::string PathOf(PCIDLIST_ABSOLUTE list) {
  char path[MAX_PATH] = {};
  return list != nullptr && SHGetPathFromIDListA(list, path) ? std::string(path) : std::string();
}

std::string DisplayNameOf(PCIDLIST_ABSOLUTE list) {
  SHFILEINFOA info = {};
  if (SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof info,
                     SHGFI_PIDL | SHGFI_DISPLAYNAME) == 0) {
    return std::string();
  }
  return info.szDisplayName;
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lparam, LPARAM data) {
  switch (message) {
    case BFFM_INITIALIZED: {
      const auto* initial = reinterpret_cast<const std::string*>(data);
      if (!initial->empty()) {
        SendMessageA(window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(initial->c_str()));
      }
      break;
    }
    case BFFM_SELCHANGED: {
      auto list = reinterpret_cast<PCIDLIST_ABSOLUTE>(lparam);
      std::string status = FolderStatusText(PathOf(list), DisplayNameOf(list));
      SendMessageA(window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(status.c_str()));
      break;
    }
    default:
      break;
  }
  return 0;
}

// Whether `text` can stand in the file dialog's name box; a command line
// with arguments cannot, and would make the dialog fail to open.
bool UsableFileName(const std::string& text) {
  return !text.empty() && text.size() < MAX_PATH &&
         text.find_first_of("<>|\"*?") == std::string::npos;
}

}  // namespace

std::string FileDialogFilter(const std::string& filter) {
  std::string out = filter;
  if (!out.empty() && out.back() != '|') out += '|';
  for (char& c : out) {
    if (c == '|') c = '\0';
  }
  out += '\0';
  return out;
}

int Win32Backend::RunSheet(CArdelPropertySheet* sheet) {
  return RunWin32Sheet(sheet, this);
}

MessageAnswer Win32Backend::ShowMessage(const std::string& text, MessageIcon icon,
                                        MessageButtons buttons) {
  return static_cast<MessageAnswer>(
      ShowSystemMessageBox(text, std::string(), static_cast<int>(icon), static_cast<int>(buttons)));
}

bool Win32Backend::ChooseFolder(const std::string& title, std::string* folder) {
  BROWSEINFOA info = {};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = nullptr;  // the desktop
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  ItemList chosen(SHBrowseForFolderA(&info));
  std::string path = PathOf(chosen.list);
  if (path.empty()) return false;
  *folder = path;
  return true;
}

bool Win32Backend::BrowseFolder(const std::string& initial, std::string* folder) {
  BROWSEINFOA info = {};
  info.hwndOwner = GetActiveWindow();
  info.lpszTitle = kFolderDialogTitle;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&initial);
  ItemList chosen(SHBrowseForFolderA(&info));
  if (chosen.list == nullptr) return false;
  return FolderDialogResult(PathOf(chosen.list), folder);
}

bool Win32Backend::ChooseFile(const std::string& title, const std::string& filter,
                              const std::string& initial, std::string* file) {
  std::string filters = FileDialogFilter(filter);
  char name[MAX_PATH] = {};
  if (UsableFileName(initial)) lstrcpynA(name, initial.c_str(), sizeof name);
  OPENFILENAMEA info = {};
  info.lStructSize = sizeof info;
  info.hwndOwner = GetActiveWindow();
  info.lpstrFilter = filter.empty() ? nullptr : filters.c_str();
  info.lpstrFile = name;
  info.nMaxFile = sizeof name;
  info.lpstrTitle = title.empty() ? nullptr : title.c_str();
  info.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameA(&info)) return false;
  *file = name;
  return true;
}

Language Win32Backend::resource_language() const {
  return SystemResourceLanguage();
}

void* Win32Backend::PageWindow(CArdelPage* page) {
  if (page == nullptr || !page->HasWindow()) return nullptr;
  auto* controls = dynamic_cast<Win32DialogControls*>(&page->controls());
  return controls ? controls->dialog() : nullptr;
}

void Win32Backend::EmbedWindow(CArdelPage* page, void* window) {
  HWND page_window = static_cast<HWND>(PageWindow(page));
  HWND hosted = static_cast<HWND>(window);
  if (page_window == nullptr || hosted == nullptr || !IsWindow(hosted)) return;
  // Child style before the new parent, as SetParent asks.
  LONG_PTR style = GetWindowLongPtrA(hosted, GWL_STYLE);
  style &= ~static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_SYSMENU);
  style |= WS_CHILD | WS_BORDER;
  SetWindowLongPtrA(hosted, GWL_STYLE, style);
  SetWindowLongPtrA(hosted, GWL_EXSTYLE,
                    GetWindowLongPtrA(hosted, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
  SetParent(hosted, page_window);
  RECT area = {};
  GetClientRect(GetParent(page_window), &area);
  SetWindowPos(hosted, nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
               SWP_NOZORDER | SWP_FRAMECHANGED);
  ShowWindow(hosted, SW_SHOW);
  SetFocus(page_window);
}

Win32Backend* ProcessWin32Backend(Language language) {
  static Win32Backend backend(language);
  backend.set_language(language);
  return &backend;
}

}  // namespace c51::settings
