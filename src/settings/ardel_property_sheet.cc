#include "settings/ardel_property_sheet.h"

#include "settings/settings_backend.h"

namespace c51::settings {

Rect DefaultButtonRect(const Rect& ok) {
  Rect rect = ok;
  rect.right = ok.left - 80;
  rect.left = rect.right - ok.width();
  return rect;
}

void CArdelPropertySheet::AddPage(CArdelPage* page) {
  pages_.push_back(page);
}

int CArdelPropertySheet::DoModal(SettingsBackend* backend) {
  if (backend == nullptr || pages_.empty()) return kResultCancel;
  backend_ = backend;
  int result = backend->RunSheet(this);
  frame_ = nullptr;
  for (CArdelPage* page : pages_) page->Attach(this, nullptr);
  return result;
}

void CArdelPropertySheet::OnInitDialog(SheetFrame* frame) {
  frame_ = frame;
  caption_text_ = "Corvane Settings";
  Rect ok;
  if (!frame->FindButton(kIdApply, nullptr) || !frame->FindButton(kIdOk, &ok)) return;
  frame->EnableButton(kIdApply, false);
  frame->CreateButton(kIdDefault, MessageText(MessageId::kDefaultButton, backend_->language()),
                      DefaultButtonRect(ok));
}

bool CArdelPropertySheet::OnCommand(int id) {
  CArdelPage* active = frame_ ? frame_->ActivePage() : nullptr;
  if (id == kIdApply) {
    if (active != nullptr) active->set_store_flag(1);
    return false;
  }
  if (id == kIdDefault) {
    if (active != nullptr) active->OnDefault();
    return true;
  }
  return false;
}

void CArdelPropertySheet::OnPageModified(CArdelPage* page, bool changed) {
  if (frame_ != nullptr) frame_->PageModified(page, changed);
}

}  // namespace c51::settings
