// The pages a settings dialog is made of, created by kind so that the
// entry need not know each page's class.
#ifndef C51_SETTINGS_PAGES_PAGE_FACTORY_H_
#define C51_SETTINGS_PAGES_PAGE_FACTORY_H_

#include <memory>

#include "settings/ardel_page.h"
#include "settings/settings_records.h"

namespace c51::settings {

enum class PageKind {
  kDevice,
  kTarget,
  kOutput,
  kListing,
  kUser,
  kC51,
  kA51,
  kLinkerLocate,
  kLinkerMisc,
  kDebug,
  kProperties,
};

// The template id of each kind's dialog resource.
int PageTemplateId(PageKind kind);

std::unique_ptr<CArdelPage> MakePage(PageKind kind, SettingsSession* session);

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_PAGE_FACTORY_H_
