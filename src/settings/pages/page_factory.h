// The pages a settings dialog is made of, in one table: each kind with the
// dialog resource it is built from and the function that makes it. The
// dialogs make their pages from it, and the tests go through every page it
// lists, so a page is added in one place.
#ifndef C51_SETTINGS_PAGES_PAGE_FACTORY_H_
#define C51_SETTINGS_PAGES_PAGE_FACTORY_H_

#include <memory>
#include <span>

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
  kCount,  // not a page: the number of kinds
};

struct PageRow {
  PageKind kind;
  int template_id;  // the page's dialog resource (IDD_...)
  // A new page over `session`, which outlives it.
  std::unique_ptr<CArdelPage> (*make)(SettingsSession* session);
};

// One row per kind, in PageKind order.
std::span<const PageRow> PageTable();
// The row of a page kind (not kCount).
const PageRow& PageRowOf(PageKind kind);

// PageRowOf(kind).make(session).
std::unique_ptr<CArdelPage> MakePage(PageKind kind, SettingsSession* session);

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_PAGE_FACTORY_H_
