#include "host/settings_names.h"

#include <cstdlib>

#include "options/option_text.h"

namespace c51::host {
namespace {

std::string Trim(const std::string& text) {
  return std::string(TrimBlanks(text));
}

bool AllDigits(const std::string& text) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string Quote(const std::string& text) {
  return "\"" + text + "\"";
}

// The action's lines as the plug-in's parser takes them: without leading
// blanks and a trailing "\r", blank lines and comments dropped.
std::vector<std::string> ActionLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == '#') continue;
    lines.push_back(line.substr(line.find_first_not_of(" \t")));
  }
  return lines;
}

// A type, click or choose action split into its verb, the control as
// written (a name or an id) and what follows. False for other actions.
struct ControlAction {
  std::string verb;
  std::string control;
  bool quoted = false;
  std::string rest;  // after the control and one blank
};

bool SplitControlAction(const std::string& line, ControlAction* action) {
  size_t blank = line.find_first_of(" \t");
  action->verb = line.substr(0, blank);
  if (action->verb != "type" && action->verb != "click" && action->verb != "choose") return false;
  if (blank == std::string::npos) return false;
  const size_t first = line.find_first_not_of(" \t", blank);
  if (first == std::string::npos) return false;
  if (line[first] == '"') {
    const size_t close = line.find('"', first + 1);
    if (close == std::string::npos) return false;
    action->control = line.substr(first + 1, close - first - 1);
    action->quoted = true;
    action->rest = line.substr(close + 1);
    if (!action->rest.empty() && (action->rest[0] == ' ' || action->rest[0] == '\t'))
      action->rest.erase(0, 1);
    return true;
  }
  const size_t end = line.find_first_of(" \t", first);
  action->control = line.substr(first, end == std::string::npos ? end : end - first);
  action->rest = end == std::string::npos ? std::string() : line.substr(end + 1);
  // "click Code Banking": a click takes nothing else, so all of it names.
  if (action->verb == "click" && !AllDigits(action->control)) {
    action->control = Trim(line.substr(first));
    action->rest.clear();
  }
  return true;
}

std::string PageName(const ReportPage& page) {
  return "page " + std::to_string(page.index) + " " + Quote(page.caption);
}

std::string Candidates(const std::vector<const ReportControl*>& controls) {
  std::string out;
  for (const ReportControl* c : controls) {
    if (!out.empty()) out += ", ";
    out += Quote(c->label) + " (" + std::to_string(c->id) + ")";
  }
  return out;
}

}  // namespace

bool FindNamedControl(const ReportPage& page, const std::string& name, int* id, std::string* why) {
  const std::string wanted = NormalName(name);
  std::vector<const ReportControl*> named, matches;
  for (const ReportControl& c : page.controls) {
    if (c.label.empty()) continue;
    named.push_back(&c);
    if (!wanted.empty() && NormalName(c.label) == wanted) matches.push_back(&c);
  }
  // The Debug page keeps hidden twins of its visible check boxes: the
  // one a user can see is the one meant.
  if (matches.size() > 1) {
    std::vector<const ReportControl*> visible;
    for (const ReportControl* c : matches)
      if (c->visible) visible.push_back(c);
    if (visible.size() == 1) matches = visible;
  }
  if (matches.size() == 1) {
    *id = matches.front()->id;
    return true;
  }
  if (matches.empty()) {
    *why = "no control on " + PageName(page) + " is named " + Quote(name) +
           (named.empty() ? std::string("; it names none of its controls")
                          : "; the names there: " + Candidates(named));
  } else {
    *why = Quote(name) + " names several controls on " + PageName(page) + ": " +
           Candidates(matches) + "; give the id";
  }
  return false;
}

bool NamesAControl(const std::string& line) {
  ControlAction action;
  const size_t first = line.find_first_not_of(" \t");
  if (first == std::string::npos || !SplitControlAction(line.substr(first), &action)) return false;
  return action.quoted || !AllDigits(action.control);
}

std::vector<ResolvedAction> ResolveNames(const std::string& actions, const DialogSurvey& survey) {
  std::vector<ResolvedAction> resolved;
  int active = survey.first_page;
  auto page_at = [&](int index) -> const ReportPage* {
    for (const ReportPage& page : survey.pages)
      if (page.index == index) return &page;
    return nullptr;
  };
  for (const std::string& line : ActionLines(actions)) {
    ResolvedAction out{line, line, ""};
    ControlAction action;
    if (line.rfind("page", 0) == 0 && (line.size() == 4 || line[4] == ' ' || line[4] == '\t')) {
      // Follows the plug-in's own choice: an index, else the caption.
      const std::string target = Trim(line.substr(4));
      if (AllDigits(target)) {
        if (page_at(std::atoi(target.c_str()))) active = std::atoi(target.c_str());
      } else {
        for (const ReportPage& page : survey.pages)
          if (page.caption == target) active = page.index;
      }
    } else if (SplitControlAction(line, &action) && (action.quoted || !AllDigits(action.control))) {
      int id = 0;
      const ReportPage* page = page_at(active);
      if (!page) {
        out.why = "page " + std::to_string(active) + " was not seen";
      } else if (!FindNamedControl(*page, action.control, &id, &out.why)) {
        id = 0;
      }
      out.sent = action.verb + " " + std::to_string(id);
      if (!action.rest.empty()) out.sent += " " + action.rest;
    }
    resolved.push_back(std::move(out));
  }
  return resolved;
}

std::string SentText(const std::vector<ResolvedAction>& actions) {
  std::string text;
  for (const ResolvedAction& action : actions) text += action.sent + "\n";
  return text;
}

std::string ReportAsWritten(const std::string& report, const std::vector<ResolvedAction>& actions) {
  std::string out;
  size_t next = 0;                          // the action whose echo comes next
  const ResolvedAction* current = nullptr;  // the one echoed last
  size_t start = 0;
  while (start < report.size()) {
    size_t end = report.find('\n', start);
    const size_t after = end == std::string::npos ? report.size() : end + 1;
    std::string line = report.substr(start, after - start);
    start = after;
    std::string bare = line;
    while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r')) bare.pop_back();
    const std::string line_end = line.substr(bare.size());
    // The plug-in echoes every action once, in order.
    if (bare.rfind("> ", 0) == 0 && next < actions.size() && bare == "> " + actions[next].sent) {
      current = &actions[next++];
      out += "> " + current->written + line_end;
      continue;
    }
    if (current && bare == "refused: " + current->sent) {
      out += "refused: " + current->written;
      if (!current->why.empty()) out += " (" + current->why + ")";
      out += line_end;
      continue;
    }
    out += line;
  }
  return out;
}

}  // namespace c51::host
