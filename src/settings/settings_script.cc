#include "settings/settings_script.h"

#include <cstdlib>

#include "options/option_text.h"
#include "settings/script_dialog_actions.h"

namespace c51::settings {
namespace {

std::string Trim(const std::string& text) {
  return std::string(TrimBlanks(text));
}

// The first word of `text` and the rest after one separating blank.
void SplitWord(const std::string& text, std::string* word, std::string* rest) {
  size_t blank = text.find_first_of(" \t");
  *word = text.substr(0, blank);
  *rest = blank == std::string::npos ? std::string() : text.substr(blank + 1);
}

bool ParseNumber(const std::string& text, int* out) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  *out = std::atoi(text.c_str());
  return true;
}

// "item <what> [<index>] [<text>]", `rest` being what follows "item ".
bool ParseItemAction(const std::string& rest, SettingsAction* action, std::string* error) {
  std::string what, args;
  const size_t first = rest.find_first_not_of(" \t");
  SplitWord(first == std::string::npos ? std::string() : rest.substr(first), &what, &args);
  if (what == "new") {
    // The text as typed, blanks included, as with "type".
    action->kind = SettingsAction::kItemNew;
    action->text = args;
    if (args.empty()) *error = "\"item new\" needs a text";
    return !args.empty();
  }
  struct Indexed {
    const char* what;
    SettingsAction::Kind kind;
  } indexed[] = {{"edit", SettingsAction::kItemEdit},
                 {"browse", SettingsAction::kItemBrowse},
                 {"delete", SettingsAction::kItemDelete},
                 {"up", SettingsAction::kItemUp},
                 {"down", SettingsAction::kItemDown}};
  for (const Indexed& i : indexed) {
    if (what != i.what) continue;
    action->kind = i.kind;
    std::string index, text;
    const size_t start = args.find_first_not_of(" \t");
    SplitWord(start == std::string::npos ? std::string() : args.substr(start), &index, &text);
    if (i.kind != SettingsAction::kItemEdit) text = Trim(text);
    if (!ParseNumber(index, &action->index)) {
      *error = "\"item " + what + "\" needs an item index";
      return false;
    }
    if (i.kind == SettingsAction::kItemEdit) {
      action->text = text;  // empty: the item goes, as when its text is cleared
      return true;
    }
    if (!text.empty()) *error = "\"item " + what + "\" takes only an item index";
    return text.empty();
  }
  *error = "\"item\" takes new, edit, browse, delete, up or down";
  return false;
}

bool ParseAction(const std::string& line, SettingsAction* action, std::string* error) {
  std::string verb, rest;
  SplitWord(line, &verb, &rest);
  action->line = line;
  struct Plain {
    const char* verb;
    SettingsAction::Kind kind;
  } plain[] = {{"apply", SettingsAction::kApply},   {"ok", SettingsAction::kOk},
               {"cancel", SettingsAction::kCancel}, {"default", SettingsAction::kDefault},
               {"show", SettingsAction::kShow},     {"no-folder", SettingsAction::kNoFolder},
               {"no-file", SettingsAction::kNoFile}};
  for (const Plain& p : plain) {
    if (verb != p.verb) continue;
    if (!Trim(rest).empty()) {
      *error = "\"" + verb + "\" takes nothing after it";
      return false;
    }
    action->kind = p.kind;
    return true;
  }
  if (verb == "page") {
    action->kind = SettingsAction::kPage;
    action->text = Trim(rest);
    if (!ParseNumber(action->text, &action->index)) action->index = -1;
    if (action->text.empty()) *error = "\"page\" needs an index or a caption";
    return !action->text.empty();
  }
  if (verb == "folder" || verb == "file") {
    action->kind = verb == "folder" ? SettingsAction::kFolder : SettingsAction::kFile;
    action->text = Trim(rest);
    if (action->text.empty()) *error = "\"" + verb + "\" needs a path";
    return !action->text.empty();
  }
  if (verb == "answer") {
    struct Answer {
      const char* word;
      MessageAnswer answer;
    } answers[] = {{"ok", MessageAnswer::kOk},
                   {"cancel", MessageAnswer::kCancel},
                   {"yes", MessageAnswer::kYes},
                   {"no", MessageAnswer::kNo}};
    action->kind = SettingsAction::kAnswer;
    for (const Answer& a : answers) {
      if (Trim(rest) != a.word) continue;
      action->answer = a.answer;
      return true;
    }
    *error = "\"answer\" takes ok, cancel, yes or no";
    return false;
  }
  if (verb == "item") return ParseItemAction(rest, action, error);
  if (verb == "dialog") {
    const std::string button = Trim(rest);
    action->kind = button == "ok" ? SettingsAction::kDialogOk : SettingsAction::kDialogCancel;
    if (button != "ok" && button != "cancel") *error = "\"dialog\" takes ok or cancel";
    return button == "ok" || button == "cancel";
  }
  if (verb == "type" || verb == "click" || verb == "choose") {
    // Only leading blanks go: a typed text keeps its trailing ones.
    std::string id, value;
    size_t first = rest.find_first_not_of(" \t");
    SplitWord(first == std::string::npos ? std::string() : rest.substr(first), &id, &value);
    if (!ParseNumber(id, &action->id)) {
      *error = "\"" + verb + "\" needs a control id";
      return false;
    }
    if (verb == "click") {
      action->kind = SettingsAction::kClick;
      if (!Trim(value).empty()) *error = "\"click\" takes only a control id";
      return Trim(value).empty();
    }
    if (verb == "type") {
      action->kind = SettingsAction::kType;
      action->text = value;  // as typed, blanks included
      return true;
    }
    action->kind = SettingsAction::kChoose;
    value = Trim(value);
    if (!value.empty() && value[0] == '=') {
      action->text = value.substr(1);
      return true;
    }
    if (ParseNumber(value, &action->index)) return true;
    *error = "\"choose\" needs an index or =<text>";
    return false;
  }
  *error = "unknown action \"" + verb + "\"";
  return false;
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kStatic:
      return "label";
    case ControlKind::kGroupBox:
      return "group";
    case ControlKind::kEdit:
      return "edit";
    case ControlKind::kCheckBox:
      return "check";
    case ControlKind::kRadioButton:
      return "radio";
    case ControlKind::kPushButton:
      return "button";
    case ControlKind::kDropDownList:
      return "list";
    case ControlKind::kListBox:
      return "listbox";
  }
  return "control";
}

// Quoted, with line ends and quotation marks visible.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string PageHeading(HeadlessSheet* sheet, int index, Language language) {
  return "[page " + std::to_string(index) + " " +
         Quoted(sheet->page(index)->Template(language).caption) + "]\n";
}

bool RunSheetAction(const SettingsAction& action, HeadlessSheet* sheet, HeadlessBackend* backend,
                    HeadlessInterface* ui, std::string* report) {
  switch (action.kind) {
    case SettingsAction::kPage:
      if (action.index >= 0) return sheet->SelectPage(action.index);
      for (int i = 0; i < sheet->page_count(); ++i) {
        if (sheet->page(i)->Template(backend->resource_language()).caption == action.text) {
          return sheet->SelectPage(i);
        }
      }
      return false;
    case SettingsAction::kType:
      return sheet->active().Type(action.id, action.text);
    case SettingsAction::kClick:
      // The sheet's own buttons are not on the page.
      if (!sheet->active().Exists(action.id) && sheet->HasButton(action.id)) {
        return sheet->Press(action.id);
      }
      return sheet->active().Click(action.id);
    case SettingsAction::kChoose:
      return action.index >= 0 ? sheet->active().Choose(action.id, action.index)
                               : sheet->active().ChooseText(action.id, action.text);
    case SettingsAction::kApply:
      return sheet->PressApply();
    case SettingsAction::kOk:
      return sheet->PressOk();
    case SettingsAction::kCancel:
      return sheet->PressCancel();
    case SettingsAction::kDefault:
      return sheet->PressDefault();
    case SettingsAction::kShow:
      *report += PageHeading(sheet, sheet->active_index(), backend->resource_language());
      *report += DescribeControls(sheet->active());
      return true;
    case SettingsAction::kFolder:
      backend->folder_answers.push_back(action.text);
      return true;
    case SettingsAction::kNoFolder:
      backend->folder_answers.push_back(std::nullopt);
      return true;
    case SettingsAction::kFile:
      backend->file_answers.push_back(action.text);
      return true;
    case SettingsAction::kNoFile:
      backend->file_answers.push_back(std::nullopt);
      return true;
    case SettingsAction::kAnswer:
      ui->answers.push_back(action.answer);
      return true;
    default:
      // The dialog actions, with no dialog open.
      return false;
  }
}

// One run of the actions, first to last. A sheet action that opens a
// plain dialog (the backend runs it modally inside the action) hands the
// actions after it to that dialog until one closes it or belongs to the
// sheet.
class ScriptRun {
 public:
  ScriptRun(const std::vector<SettingsAction>& actions, HeadlessSheet* sheet,
            HeadlessBackend* backend, HeadlessInterface* ui, std::string* report)
      : actions_(actions),
        sheet_(sheet),
        backend_(backend),
        ui_(ui),
        report_(report),
        reported_(ui->messages.size()) {}

  void Run() {
    while (next_ < actions_.size()) {
      const SettingsAction& action = actions_[next_++];
      *report_ += "> " + action.line + "\n";
      if (sheet_->closed()) {
        *report_ += "ignored: the dialog is closed\n";
        continue;
      }
      backend_->dialog_scripts.clear();
      backend_->dialog_scripts.push_back([this](HeadlessDialogRun& run) { RunDialog(&run); });
      const bool done =
          !IsDialogAction(action.kind) && RunSheetAction(action, sheet_, backend_, ui_, report_);
      backend_->dialog_scripts.clear();
      Finish(action, done);
    }
  }

 private:
  // Inside a dialog the answers and "show" still work; everything else
  // is the sheet's.
  static bool BelongsToDialog(SettingsAction::Kind kind) {
    return IsDialogAction(kind) || kind == SettingsAction::kShow ||
           kind == SettingsAction::kFolder || kind == SettingsAction::kNoFolder ||
           kind == SettingsAction::kFile || kind == SettingsAction::kNoFile ||
           kind == SettingsAction::kAnswer;
  }

  void RunDialog(HeadlessDialogRun* run) {
    const std::string caption =
        Quoted(run->dialog()->Template(backend_->resource_language()).caption);
    *report_ += "[dialog " + caption + "]\n" + DescribeControls(run->controls());
    while (!run->closed() && next_ < actions_.size() && BelongsToDialog(actions_[next_].kind)) {
      const SettingsAction& action = actions_[next_++];
      *report_ += "> " + action.line + "\n";
      bool done = false;
      if (action.kind == SettingsAction::kShow) {
        *report_ += "[dialog " + caption + "]\n" + DescribeControls(run->controls());
        done = true;
      } else if (IsDialogAction(action.kind)) {
        done = RunDialogAction(action, run);
      } else {
        done = RunSheetAction(action, sheet_, backend_, ui_, report_);
      }
      Finish(action, done);
    }
    // As closing its window would.
    if (!run->closed()) run->PressCancel();
    *report_ += "[dialog " + caption +
                " closed: " + (run->result() == kResultOk ? "OK" : "Cancel") + "]\n" +
                DescribeControls(run->controls());
  }

  // The message boxes shown since the last action, and whether it was refused.
  void Finish(const SettingsAction& action, bool done) {
    for (; reported_ < ui_->messages.size(); ++reported_) {
      *report_ += "message: " + ui_->messages[reported_].text + "\n";
    }
    if (!done) *report_ += "refused: " + action.line + "\n";
  }

  const std::vector<SettingsAction>& actions_;
  HeadlessSheet* sheet_;
  HeadlessBackend* backend_;
  HeadlessInterface* ui_;
  std::string* report_;
  size_t next_ = 0;
  size_t reported_;  // messages of `ui_` already in the report
};

}  // namespace

bool ParseSettingsActions(const std::string& text, std::vector<SettingsAction>* actions,
                          std::string* error) {
  actions->clear();
  size_t start = 0;
  int number = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    SettingsAction action;
    std::string why;
    // Leading blanks are not part of the action; a typed text keeps its own.
    if (!ParseAction(line.substr(line.find_first_not_of(" \t")), &action, &why)) {
      *error = "action " + std::to_string(number) + ": " + why;
      return false;
    }
    actions->push_back(std::move(action));
  }
  return true;
}

std::string DescribeControls(const HeadlessDialog& controls) {
  // Appended piece by piece: GCC 12 takes `" " + std::string` (an insert
  // at the front) for an overlapping copy and warns at -O3 (-Wrestrict).
  std::string out;
  for (const ControlSpec& entry : controls.layout().controls) {
    // A label without an id names the control after it; readers of the
    // report (the host's settings by name) need its text.
    if (entry.id == kNoId && entry.kind == ControlKind::kStatic) {
      out += "  -1 label ";
      out += Quoted(entry.text);
      out += '\n';
      continue;
    }
    const HeadlessControl* c = entry.id == kNoId ? nullptr : controls.Find(entry.id);
    if (c == nullptr) continue;
    out += "  ";
    out += std::to_string(entry.id);
    out += ' ';
    out += KindName(c->kind);
    if (!c->enabled) out += " disabled";
    if (!c->visible) out += " hidden";
    switch (c->kind) {
      case ControlKind::kCheckBox:
      case ControlKind::kRadioButton:
        out += " [";
        out += std::to_string(c->check);
        out += ']';
        break;
      case ControlKind::kDropDownList:
      case ControlKind::kListBox: {
        out += ' ';
        out += std::to_string(c->selection);
        out += '/';
        out += std::to_string(c->items.size());
        if (c->kind == ControlKind::kListBox) {
          for (const std::string& item : c->items) {
            out += ' ';
            out += Quoted(item);
          }
          out += '\n';
          continue;
        }
        out += ' ';
        out += Quoted(c->selection >= 0 ? c->items[c->selection] : std::string());
        out += '\n';
        continue;
      }
      default:
        break;
    }
    out += ' ';
    out += Quoted(c->text);
    out += '\n';
  }
  return out;
}

bool IsDialogAction(SettingsAction::Kind kind) {
  switch (kind) {
    case SettingsAction::kItemNew:
    case SettingsAction::kItemEdit:
    case SettingsAction::kItemBrowse:
    case SettingsAction::kItemDelete:
    case SettingsAction::kItemUp:
    case SettingsAction::kItemDown:
    case SettingsAction::kDialogOk:
    case SettingsAction::kDialogCancel:
      return true;
    default:
      return false;
  }
}

void RunSettingsActions(const std::vector<SettingsAction>& actions, HeadlessSheet* sheet,
                        HeadlessBackend* backend, HeadlessInterface* ui, std::string* report) {
  // The texts the entry and the frame composed, as the window shows them.
  *report += "[sheet " + Quoted(sheet->title()) + "]\n";
  *report += "  caption " + Quoted(sheet->caption_text()) + "\n";
  if (sheet->HasButton(kIdDefault)) {
    *report += "  " + std::to_string(kIdDefault) + " button " +
               Quoted(sheet->ButtonText(kIdDefault)) + "\n";
  }
  ScriptRun run{actions, sheet, backend, ui, report};
  run.Run();
  for (int i = 0; i < sheet->page_count(); ++i) {
    const HeadlessDialog* controls = sheet->controls(i);
    if (controls == nullptr) continue;
    *report += PageHeading(sheet, i, backend->resource_language());
    *report += DescribeControls(*controls);
  }
  *report += sheet->result() == kResultOk       ? "result: OK\n"
             : sheet->result() == kResultCancel ? "result: Cancel\n"
                                                : "result: left open, closed as Cancel\n";
}

}  // namespace c51::settings
