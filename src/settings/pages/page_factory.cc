#include "settings/pages/page_factory.h"

#include <array>
#include <utility>

#include "settings/pages/a51_page.h"
#include "settings/pages/bl51_page.h"
#include "settings/pages/c51_page.h"
#include "settings/pages/debug_page.h"
#include "settings/pages/device_page.h"
#include "settings/pages/l51_misc_page.h"
#include "settings/pages/listing_page.h"
#include "settings/pages/output_page.h"
#include "settings/pages/properties_page.h"
#include "settings/pages/target_page.h"
#include "settings/pages/user_page.h"
#include "settings/resources/control_ids.h"

namespace c51::settings {
namespace {

template <typename Page>
std::unique_ptr<CArdelPage> Make(SettingsSession* session) {
  return std::make_unique<Page>(session);
}

// The row of `kind`. No default: a kind added without its page is a
// compile error (-Wswitch).
constexpr PageRow Row(PageKind kind) {
  switch (kind) {
    case PageKind::kDevice:
      return {kind, IDD_DEVICE_PAGE, &Make<CDevicePage>};
    case PageKind::kTarget:
      return {kind, IDD_TARGET_PAGE, &Make<CTargetPage>};
    case PageKind::kOutput:
      return {kind, IDD_OUTPUT_PAGE, &Make<COutputPage>};
    case PageKind::kListing:
      return {kind, IDD_LISTING_PAGE, &Make<CListingPage>};
    case PageKind::kUser:
      return {kind, IDD_USER_PAGE, &Make<CUserPage>};
    case PageKind::kC51:
      return {kind, IDD_C51_PAGE, &Make<CC51Page>};
    case PageKind::kA51:
      return {kind, IDD_A51_PAGE, &Make<CA51Page>};
    case PageKind::kLinkerLocate:
      return {kind, IDD_LINKER_LOCATE_PAGE, &Make<CBL51Page>};
    case PageKind::kLinkerMisc:
      return {kind, IDD_LINKER_MISC_PAGE, &Make<CL51MiscPage>};
    case PageKind::kDebug:
      return {kind, IDD_DEBUG_PAGE, &Make<CDebugPage>};
    case PageKind::kProperties:
      return {kind, IDD_PROPERTIES_PAGE, &Make<CPropertiesPage>};
    case PageKind::kCount:
      break;
  }
  return {kind, IDD_EMPTY_PAGE, nullptr};
}

template <size_t... kKinds>
constexpr std::array<PageRow, sizeof...(kKinds)> Rows(std::index_sequence<kKinds...>) {
  return {Row(static_cast<PageKind>(kKinds))...};
}

constexpr size_t kPageKinds = static_cast<size_t>(PageKind::kCount);
constexpr std::array<PageRow, kPageKinds> kPageTable = Rows(std::make_index_sequence<kPageKinds>());

}  // namespace

std::span<const PageRow> PageTable() {
  return kPageTable;
}

const PageRow& PageRowOf(PageKind kind) {
  return kPageTable[static_cast<size_t>(kind)];
}

std::unique_ptr<CArdelPage> MakePage(PageKind kind, SettingsSession* session) {
  return PageRowOf(kind).make(session);
}

}  // namespace c51::settings
