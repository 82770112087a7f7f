// "settings --list": the dialog's pages as JSON, so that a script reads the
// settings without parsing the report:
//   {"pages": [{"index": 1, "caption": "Target", "controls": [
//     {"id": 1563, "kind": "edit", "label": "Xtal(MHz):", "value": "24.000000",
//      "enabled": true, "visible": true}, ...]}]}
// A check box's or radio button's value is its state (0, 1, 2), a list's
// the selected item's text (with "selection" and "count"), a list box's
// also its "items"; buttons have none. Texts are converted from the
// plug-in's code page to UTF-8.
#ifndef C51_HOST_SETTINGS_JSON_H_
#define C51_HOST_SETTINGS_JSON_H_

#include <string>
#include <vector>

#include "host/settings_report.h"

namespace c51::host {

std::string SettingsJson(const std::vector<ReportPage>& pages);

}  // namespace c51::host

#endif  // C51_HOST_SETTINGS_JSON_H_
