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

namespace c51::settings {

int PageTemplateId(PageKind kind) {
  switch (kind) {
    case PageKind::kDevice:
      return 1005;
    case PageKind::kTarget:
      return 163;
    case PageKind::kOutput:
      return 172;
    case PageKind::kListing:
      return 171;
    case PageKind::kUser:
      return 1002;
    case PageKind::kC51:
      return 173;
    case PageKind::kA51:
      return 174;
    case PageKind::kLinkerLocate:
      return 187;
    case PageKind::kLinkerMisc:
      return 186;
    case PageKind::kDebug:
      return 309;
    case PageKind::kProperties:
      return 188;
  }
  return kEmptyPageTemplate;
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
