// Where a dialog's template comes from: the plug-in's own dialog resources
// in the language asked for, or, for a dialog without one, a template
// built in memory from the page's controls as data.
#ifndef C51_SETTINGS_WIN32_DIALOG_RESOURCE_H_
#define C51_SETTINGS_WIN32_DIALOG_RESOURCE_H_

#include <windows.h>

#include <vector>

#include "settings/dialog_template.h"
#include "support/messages.h"

namespace c51::settings {

// The module that holds this code (the plug-in library), whose resources
// the dialogs come from.
HMODULE SettingsModule();

// The templates' language follows the system's interface language: Chinese
// (PRC) gives the Chinese templates, anything else the English ones.
Language SystemResourceLanguage();

enum class DialogUse { kPage, kModal };

// A dialog template ready for the PSP_DLGINDIRECT and *Indirect calls.
class DialogSource {
 public:
  // The resource `id` in `language`, looked up explicitly by language (the
  // thread's language does not decide); without one, `layout` laid out in
  // memory.
  DialogSource(HMODULE module, const DialogTemplate& layout, Language language, DialogUse use);
  DialogSource(const DialogSource&) = delete;
  DialogSource& operator=(const DialogSource&) = delete;

  const DLGTEMPLATE* get() const {
    return resource_ ? resource_ : reinterpret_cast<const DLGTEMPLATE*>(built_.data());
  }

 private:
  const DLGTEMPLATE* resource_ = nullptr;
  std::vector<DWORD> built_;  // DWORD-aligned, as the template must be
};

// The resource, or null when the module has none in that language.
const DLGTEMPLATE* FindDialogResource(HMODULE module, int id, Language language);

// `layout` as a DLGTEMPLATE: the controls flow in rows of three cells, each
// list or multi-line edit a few rows high; a modal dialog without OK and
// Cancel gets them at the bottom. Texts are converted from the template's
// code page (GBK for Chinese).
std::vector<DWORD> BuildDialogTemplate(const DialogTemplate& layout, Language language,
                                       DialogUse use);

}  // namespace c51::settings

#endif  // C51_SETTINGS_WIN32_DIALOG_RESOURCE_H_
