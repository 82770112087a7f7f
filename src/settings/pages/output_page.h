// The "Output" page of the project settings (template 172): the folder for
// objects and output files, the name of the executable, and whether the
// build makes an executable or a library. It moves values between its
// controls and the output record (PluginState::output); the settings entry
// writes the keys after OK, so the page has no Apply of its own.
#ifndef C51_SETTINGS_PAGES_OUTPUT_PAGE_H_
#define C51_SETTINGS_PAGES_OUTPUT_PAGE_H_

#include <string>

#include "project/config_keys.h"
#include "settings/ardel_page.h"
#include "settings/resources/control_ids.h"
#include "settings/settings_records.h"

namespace c51::settings {

DialogTemplate OutputPageTemplate(Language language);

// The two radio captions for folder `folder` (ending in "\" or empty) and
// output name `name`, in `language`:
//   English, (".\Debug\", "blinky") => "Cre&ate Executable :.\Debug\blinky",
//                                      "Create &Library:.\Debug\blinky.lib"
std::string ExecutableCaption(Language language, const std::string& folder,
                              const std::string& name);
std::string LibraryCaption(Language language, const std::string& folder, const std::string& name);

class COutputPage : public CArdelPage {
 public:
  // `session` outlives the page.
  explicit COutputPage(SettingsSession* session) : CArdelPage(IDD_OUTPUT_PAGE), session_(session) {}

  DialogTemplate Template(Language language) const override { return OutputPageTemplate(language); }
  bool OnInitDialog() override;
  // Stores into the output record; never refuses.
  bool OnKillActive() override;
  void OnControl(int id, Notification code) override;

 private:
  OutputRecord& record() const;

  void ReadControls();
  void WriteControls();
  void BuildCaptions();

  SettingsSession* session_;
  std::string folder_;  // relative to the project or absolute; ends in "\" unless empty
  std::string name_;
  // The radio captions once built; empty: the resource's texts stay.
  std::string executable_caption_;
  std::string library_caption_;
  // Set while the page writes its own controls: the name edit's change
  // notification is the page's own doing then.
  bool writing_ = false;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_OUTPUT_PAGE_H_
