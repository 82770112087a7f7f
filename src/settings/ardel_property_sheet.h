// The sheet every settings dialog is: the platform's tabbed property
// sheet plus a painted caption, a "Default" button left of OK that asks
// the active page to reset itself, and the store flag set on Apply.
#ifndef C51_SETTINGS_ARDEL_PROPERTY_SHEET_H_
#define C51_SETTINGS_ARDEL_PROPERTY_SHEET_H_

#include <string>
#include <vector>

#include "settings/ardel_page.h"
#include "settings/widgets/rect.h"

namespace c51::settings {

class SettingsBackend;

// The sheet window as the sheet's own logic sees it; each backend
// provides one for the modal run.
class SheetFrame {
 public:
  // False when the sheet has no button with that id; `client_rect` may be null.
  virtual bool FindButton(int id, Rect* client_rect) const = 0;
  virtual void EnableButton(int id, bool enabled) = 0;
  virtual void CreateButton(int id, const std::string& text, const Rect& client_rect) = 0;
  // Called when a page's modified flag changes.
  virtual void PageModified(CArdelPage* page, bool changed) = 0;
  virtual CArdelPage* ActivePage() const = 0;

 protected:
  ~SheetFrame() = default;
};

// Where the "Default" button goes: as wide as OK, its right edge 80
// pixels left of OK's left edge, level with OK.
Rect DefaultButtonRect(const Rect& ok);

class CArdelPropertySheet {
 public:
  explicit CArdelPropertySheet(std::string title) : title_(std::move(title)) {}
  CArdelPropertySheet(const CArdelPropertySheet&) = delete;
  CArdelPropertySheet& operator=(const CArdelPropertySheet&) = delete;

  const std::string& title() const { return title_; }
  void AddPage(CArdelPage* page);
  int page_count() const { return static_cast<int>(pages_.size()); }
  CArdelPage* page(int index) const { return pages_[index]; }
  // The page shown first (before the run).
  void SetActivePage(int index) { start_page_ = index; }
  int start_page() const { return start_page_; }

  // The modal run; kResultOk or kResultCancel. Pages keep what they
  // stored, and keys written through Apply stay written, whatever the end.
  int DoModal(SettingsBackend* backend);
  SettingsBackend* backend() const { return backend_; }

  // The painted caption; empty paints nothing.
  const std::string& caption_text() const { return caption_text_; }

  // For the backends. After the platform's own initialisation (the first
  // page exists): caption, Apply disabled, the "Default" button.
  void OnInitDialog(SheetFrame* frame);
  // A button command before the platform handles it. True when it was the
  // "Default" command, which the platform must not see.
  bool OnCommand(int id);
  // A page's modified flag changed.
  void OnPageModified(CArdelPage* page, bool changed);
  // The frame of the run in progress; null outside one.
  void set_frame(SheetFrame* frame) { frame_ = frame; }

 private:
  std::string title_;
  std::vector<CArdelPage*> pages_;
  int start_page_ = 0;
  std::string caption_text_;
  SettingsBackend* backend_ = nullptr;
  SheetFrame* frame_ = nullptr;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_ARDEL_PROPERTY_SHEET_H_
