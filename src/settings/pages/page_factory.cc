#include "settings/pages/page_factory.h"

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

int PageTemplateId(PageKind kind) {
  switch (kind) {
    case PageKind::kDevice:
      return IDD_DEVICE_PAGE;
    case PageKind::kTarget:
      return IDD_TARGET_PAGE;
    case PageKind::kOutput:
      return IDD_OUTPUT_PAGE;
    case PageKind::kListing:
      return IDD_LISTING_PAGE;
    case PageKind::kUser:
      return IDD_USER_PAGE;
    case PageKind::kC51:
      return IDD_C51_PAGE;
    case PageKind::kA51:
      return IDD_A51_PAGE;
    case PageKind::kLinkerLocate:
      return IDD_LINKER_LOCATE_PAGE;
    case PageKind::kLinkerMisc:
      return IDD_LINKER_MISC_PAGE;
    case PageKind::kDebug:
      return IDD_DEBUG_PAGE;
    case PageKind::kProperties:
      return IDD_PROPERTIES_PAGE;
  }
  return IDD_EMPTY_PAGE;
}

std::unique_ptr<CArdelPage> MakePage(PageKind kind, SettingsSession* session) {
  switch (kind) {
    case PageKind::kDevice:
      return std::make_unique<CDevicePage>(session);
    case PageKind::kTarget:
      return std::make_unique<CTargetPage>(session);
    case PageKind::kOutput:
      return std::make_unique<COutputPage>(session);
    case PageKind::kListing:
      return std::make_unique<CListingPage>(session);
    case PageKind::kUser:
      return std::make_unique<CUserPage>(session);
    case PageKind::kC51:
      return std::make_unique<CC51Page>(session);
    case PageKind::kA51:
      return std::make_unique<CA51Page>(session);
    case PageKind::kLinkerLocate:
      return std::make_unique<CBL51Page>(session);
    case PageKind::kLinkerMisc:
      return std::make_unique<CL51MiscPage>(session);
    case PageKind::kDebug:
      return std::make_unique<CDebugPage>(session);
    case PageKind::kProperties:
      return std::make_unique<CPropertiesPage>(session);
    default:
      // The pages still to come show as empty pages of their template.
      return std::make_unique<CArdelPage>(PageTemplateId(kind));
  }
}

}  // namespace c51::settings
