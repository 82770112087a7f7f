// Reading the settings dialog's report back: the pages it describes, each
// control with the label that names it, and the report as the user sees it
// with the labels folded into the control lines.
//
// The plug-in reports a page's controls in template order, a label that
// has no id of its own as "  -1 label \"text\"". A control is named by the
// nearest such label before it, unless a control that names itself (a
// check box, a radio button or a push button, by its caption) stands
// between them. Several controls after one label share it; a name that
// fits more than one control is refused as ambiguous.
#ifndef C51_HOST_SETTINGS_REPORT_H_
#define C51_HOST_SETTINGS_REPORT_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::host {

struct ReportControl {
  int id = 0;
  std::string kind;  // "edit", "check", "radio", "button", "list", "listbox", "label", "group"
  bool enabled = true;
  bool visible = true;
  std::string label;  // the label before it, or its own caption; may be empty
  std::string text;   // an edit's or label's text, a list's selected item, a caption
  int check = -1;     // check box and radio button: 0, 1 or 2
  int selection = -1;
  int count = 0;                   // lists: the number of items
  std::vector<std::string> items;  // list boxes: every item
};

struct ReportPage {
  int index = 0;
  std::string caption;
  std::vector<ReportControl> controls;
};

// Whether the control's own caption names it.
bool NamedByCaption(const std::string& kind);

// Parses one control line of the report ("  1563 edit \"24.0\"");
// false for any other line.
bool ParseControlLine(std::string_view line, ReportControl* control);

// The pages of the report's closing section (every page that was shown,
// after the actions), in order.
std::vector<ReportPage> ReportedPages(const std::string& report);

// The index of the first "[page N ...]" heading; -1 when there is none.
int FirstReportedPage(const std::string& report);

// The report with every "-1 label" line dropped and the label put after
// the kind of each control it names:
//   "  1563 edit \"Xtal(MHz):\" \"24.000000\"".
std::string FoldLabels(const std::string& report);

// A name as users may write it: ASCII letters in lower case, blanks and
// the "&" of a keyboard mnemonic dropped ("(&N)" whole), a trailing ":"
// dropped. Double-byte characters stay as they are.
std::string NormalName(std::string_view text);

}  // namespace c51::host

#endif  // C51_HOST_SETTINGS_REPORT_H_
