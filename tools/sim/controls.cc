#include "sim/controls.h"

namespace c51::sim {

namespace {

bool IsNameChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9') || u == '_';
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int DigitValue(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  if (u >= '0' && u <= '9') return u - '0';
  if (u >= 'a' && u <= 'f') return u - 'a' + 10;
  if (u >= 'A' && u <= 'F') return u - 'A' + 10;
  return -1;
}

bool ParseDigits(std::string_view digits, uint32_t base, uint32_t* value) {
  if (digits.empty()) return false;
  uint64_t v = 0;
  for (char c : digits) {
    int d = DigitValue(c);
    if (d < 0 || static_cast<uint32_t>(d) >= base) return false;
    v = v * base + static_cast<uint32_t>(d);
    if (v > 0xFFFFFFFFull) return false;
  }
  *value = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

std::string ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') c = static_cast<char>(u - 'a' + 'A');
  }
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool ParseControls(std::string_view text, std::vector<Control>* controls, std::string* err,
                   size_t* offset) {
  size_t i = 0;
  const size_t n = text.size();
  auto fail = [&](size_t at, const char* message) {
    *err = message;
    *offset = at;
    return false;
  };
  while (true) {
    while (i < n && IsSpace(text[i])) ++i;
    if (i == n) return true;
    const size_t start = i;
    while (i < n && IsNameChar(text[i])) ++i;
    if (i == start) return fail(i, "UNEXPECTED CHARACTER IN CONTROLS");
    Control control;
    control.name = ToUpper(text.substr(start, i - start));
    size_t look = i;
    while (look < n && IsSpace(text[look])) ++look;
    if (look < n && text[look] == '(') {
      const size_t open = look;
      int depth = 1;
      bool quoted = false;
      size_t j = open + 1;
      for (; j < n; ++j) {
        char c = text[j];
        if (c == '"') {
          quoted = !quoted;
        } else if (!quoted && c == '(') {
          ++depth;
        } else if (!quoted && c == ')' && --depth == 0) {
          break;
        }
      }
      if (j == n) {
        return fail(open, quoted ? "UNTERMINATED STRING IN CONTROLS"
                                 : "UNBALANCED PARENTHESES IN CONTROLS");
      }
      control.has_argument = true;
      control.argument = std::string(Trim(text.substr(open + 1, j - open - 1)));
      i = j + 1;
    } else if (i < n && !IsSpace(text[i])) {
      // "DEBUG," or "ROM)": something glued to a name that is not an argument.
      return fail(i, "UNEXPECTED CHARACTER IN CONTROLS");
    }
    controls->push_back(std::move(control));
  }
}

std::string_view Unquote(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::vector<std::string> SplitArgumentList(std::string_view text, char separator) {
  std::vector<std::string> items;
  if (Trim(text).empty()) return items;
  bool quoted = false;
  int depth = 0;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size()) {
      char c = text[i];
      if (c == '"') quoted = !quoted;
      if (quoted) continue;
      if (c == '(') ++depth;
      if (c == ')' && depth > 0) --depth;
      if (c != separator || depth > 0) continue;
    }
    items.emplace_back(Unquote(Trim(text.substr(start, i - start))));
    start = i + 1;
  }
  return items;
}

bool ParseNumber(std::string_view text, uint32_t* value) {
  text = Trim(text);
  if (text.empty()) return false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseDigits(text.substr(2), 16, value);
  }
  if (DigitValue(text[0]) < 0 || DigitValue(text[0]) > 9) return false;
  const char last = text.back();
  if (last == 'h' || last == 'H') return ParseDigits(text.substr(0, text.size() - 1), 16, value);
  if ((last == 'b' || last == 'B') && ParseDigits(text.substr(0, text.size() - 1), 2, value)) {
    return true;
  }
  return ParseDigits(text, 10, value);
}

const ControlRule* FindRule(std::span<const ControlRule> rules, std::string_view name) {
  for (const ControlRule& rule : rules) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

bool CheckControls(const std::vector<Control>& controls, std::span<const ControlRule> rules,
                   std::string* err) {
  for (const Control& control : controls) {
    const ControlRule* rule = FindRule(rules, control.name);
    if (rule == nullptr) continue;
    if (control.has_argument && rule->use == ArgumentUse::kNone) {
      *err = "CONTROL '" + control.name + "' TAKES NO ARGUMENT";
      return false;
    }
    if (!control.has_argument && rule->use == ArgumentUse::kRequired) {
      *err = "CONTROL '" + control.name + "' NEEDS AN ARGUMENT";
      return false;
    }
    if (control.has_argument && Unquote(control.argument).empty()) {
      *err = "EMPTY ARGUMENT FOR CONTROL '" + control.name + "'";
      return false;
    }
  }
  return true;
}

}  // namespace c51::sim
