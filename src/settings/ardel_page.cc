#include "settings/ardel_page.h"

#include "settings/ardel_property_sheet.h"
#include "settings/settings_backend.h"

namespace c51::settings {

DialogTemplate CArdelPage::Template(Language) const {
  DialogTemplate empty;
  empty.id = template_id_;
  return empty;
}

SettingsBackend* CArdelPage::backend() const {
  return sheet_ ? sheet_->backend() : nullptr;
}

Language CArdelPage::language() const {
  SettingsBackend* b = backend();
  return b ? b->language() : Language::kChinese;
}

void CArdelPage::SetModified(bool changed) {
  modified_ = changed;
  if (sheet_ != nullptr) sheet_->OnPageModified(this, changed);
}

MessageAnswer CArdelPage::MessageBox(const std::string& text, MessageIcon icon,
                                     MessageButtons buttons) {
  SettingsBackend* b = backend();
  return b ? b->ShowMessage(text, icon, buttons) : MessageAnswer::kCancel;
}

}  // namespace c51::settings
