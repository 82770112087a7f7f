// The "Listing" page of the project settings (template 171): the folder
// for listing files and the twenty listing switches of the compiler,
// preprocessor, assembler and linker ("OPTLT"). It moves values between
// its controls and the listing part of the output record
// (PluginState::output); the settings entry writes the keys after OK, so
// the page has no Apply of its own.
#ifndef C51_SETTINGS_PAGES_LISTING_PAGE_H_
#define C51_SETTINGS_PAGES_LISTING_PAGE_H_

#include <array>
#include <string>

#include "project/config_keys.h"
#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

// The control of each "OPTLT" position, in order (index = position - 1).
// The four main boxes get their captions at run time.
inline constexpr std::array<int, kListingSwitchCount> kListingSwitchIds = {
    // The compiler listing and its four options.
    IDC_LISTING_COMPILER,
    IDC_LISTING_COMPILER_CONDITIONAL,
    IDC_LISTING_COMPILER_SYMBOLS,
    IDC_LISTING_COMPILER_INCLUDES,
    IDC_LISTING_COMPILER_ASSEMBLY,
    // The preprocessor listing.
    IDC_LISTING_PREPROCESSOR,
    // The assembler listing, its options and the macro list.
    IDC_LISTING_ASSEMBLER,
    IDC_LISTING_ASSEMBLER_CONDITIONAL,
    IDC_LISTING_ASSEMBLER_SYMBOLS,
    IDC_LISTING_ASSEMBLER_MACROS,
    IDC_LISTING_ASSEMBLER_XREF,
    // The linker listing and its options.
    IDC_LISTING_LINKER,
    IDC_LISTING_LINKER_MAP,
    IDC_LISTING_LINKER_PUBLICS,
    IDC_LISTING_LINKER_LOCALS,
    IDC_LISTING_LINKER_LINES,
    IDC_LISTING_LINKER_COMMENTS,
    IDC_LISTING_LINKER_XREF,
    IDC_LISTING_LINKER_GENERATED,
    IDC_LISTING_LINKER_LIBRARY,
};

DialogTemplate ListingPageTemplate(Language language);

// The four run-time captions, for folder `folder` (ending in "\") and
// project name `project`:
struct ListingCaptions {
  std::string compiler;      // lead + folder + "*.lst"
  std::string preprocessor;  // lead + folder + "*.i"
  std::string assembler;     // lead + folder + "*.lst"
  std::string linker;        // lead + folder + project + ".m51"
};
//   English, (".\Lst\", "blinky") => "&Compiler listing.\Lst\*.lst", ...,
//                                    "L&inker listing: .\Lst\blinky.m51"
ListingCaptions MakeListingCaptions(Language language, const std::string& folder,
                                    const std::string& project);

class CListingPage : public CArdelPage {
 public:
  // `session` outlives the page.
  explicit CListingPage(SettingsSession* session)
      : CArdelPage(IDD_LISTING_PAGE), session_(session) {}

  DialogTemplate Template(Language language) const override {
    return ListingPageTemplate(language);
  }
  bool OnInitDialog() override;
  // Stores into the record; never refuses.
  bool OnKillActive() override;
  void OnControl(int id, Notification code) override;

 private:
  OutputRecord& record() const;

  void ReadControls();
  void WriteControls();
  void ShowCaptions();
  // The compiler's and the assembler's options follow their main boxes.
  void EnableOptions(int main_index);
  void Browse();

  SettingsSession* session_;
  std::string folder_;  // relative to the project or absolute; ends in "\" unless empty
  // The options' states and the macro list index by "OPTLT" index; the
  // four main boxes' entries are unused (those are read from the controls).
  ListingSwitches options_{};
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_LISTING_PAGE_H_
