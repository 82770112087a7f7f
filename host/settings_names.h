// Settings actions that name a control by its label instead of its id:
//   type "Xtal (MHz)" 11.0592     click "Code Banking"     choose "Memory Model" 2
// The host turns each name into the id of the control it names on the
// page that is active at that point of the list (as "page" actions before
// it select), so that the plug-in only ever sees ids. A name is compared
// as NormalName makes it: any letter case, blanks and a trailing ":" not
// counted. Among several controls of one name the one visible wins; a
// name that stays ambiguous, or names nothing, is refused as an unknown id
// would be, with the candidates in the report.
#ifndef C51_HOST_SETTINGS_NAMES_H_
#define C51_HOST_SETTINGS_NAMES_H_

#include <string>
#include <vector>

#include "host/settings_report.h"

namespace c51::host {

// What a survey of the dialog found: every page, and the one it opens on.
struct DialogSurvey {
  std::vector<ReportPage> pages;
  int first_page = 0;
};

// The control of `page` that `name` names: true with `id`; false with
// `why` saying that it is unknown or ambiguous and listing the candidates.
bool FindNamedControl(const ReportPage& page, const std::string& name, int* id, std::string* why);

// One action as the user wrote it and as the plug-in gets it.
struct ResolvedAction {
  std::string written;
  std::string sent;
  std::string why;  // non-empty when a name was refused
};

// Whether a type, click or choose action names its control rather than
// giving its id.
bool NamesAControl(const std::string& line);

// The actions (one per line; blank lines and "#" comments are dropped)
// with every name replaced by its id. A refused name becomes id 0, which
// no dialog has, so the plug-in refuses that action in its place.
std::vector<ResolvedAction> ResolveNames(const std::string& actions, const DialogSurvey& survey);

// The actions as the plug-in gets them, one per line.
std::string SentText(const std::vector<ResolvedAction>& actions);

// The report with each action shown as written and each refused name's
// reason after its "refused:" line.
std::string ReportAsWritten(const std::string& report, const std::vector<ResolvedAction>& actions);

}  // namespace c51::host

#endif  // C51_HOST_SETTINGS_NAMES_H_
