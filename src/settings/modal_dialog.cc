#include "settings/modal_dialog.h"

#include "settings/settings_backend.h"

namespace c51::settings {

int ModalDialog::DoModal(SettingsBackend* backend) {
  if (backend == nullptr) return kResultCancel;
  backend_ = backend;
  int result = backend->RunDialog(this);
  controls_ = nullptr;
  return result;
}

}  // namespace c51::settings
