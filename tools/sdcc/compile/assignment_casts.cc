#include "sdcc/compile/assignment_casts.h"

#include <algorithm>
#include <map>
#include <set>

#include "sdcc/compile/c_tokens.h"

namespace c51::sdcc {

namespace {

// The quoted text after `label` from `at` on; npos when there is none.
size_t QuotedAfter(std::string_view text, std::string_view label, size_t at, std::string* value) {
  const size_t found = text.find(label, at);
  if (found == std::string_view::npos) return found;
  const size_t open = text.find('\'', found + label.size());
  const size_t close = open == std::string_view::npos ? open : text.find('\'', open + 1);
  if (close == std::string_view::npos) return close;
  value->assign(text.substr(open + 1, close - open - 1));
  return close + 1;
}

// Words of sdcc's type texts that name where a thing lies, not what it is.
bool IsPlaceWord(std::string_view w) {
  static const std::set<std::string_view> kWords = {"fixed",   "near",   "far",  "data", "idata",
                                                    "xdata",   "pdata",  "code", "auto", "register",
                                                    "generic", "eeprom", "sfr",  "sbit"};
  return kWords.count(w) != 0;
}

bool IsIntegerType(std::string_view t) {
  static const std::set<std::string_view> kTypes = {
      "char",          "unsigned char", "signed char",       "short", "unsigned short",
      "int",           "unsigned int",  "long int",          "long",  "unsigned long int",
      "unsigned long", "short int",     "unsigned short int"};
  return kTypes.count(t) != 0;
}

// "const-unsigned-char" => "const unsigned char".
std::string Spelled(std::string_view words) {
  std::string out(words);
  for (char& c : out) {
    if (c == '-') c = ' ';
  }
  return out;
}

}  // namespace

std::vector<RefusedAssignment> RefusedAssignments(const std::string& file, int line,
                                                  std::string_view text) {
  std::vector<RefusedAssignment> out;
  size_t at = 0;
  while (true) {
    RefusedAssignment r{file, line, "", ""};
    at = QuotedAfter(text, "from type", at, &r.from);
    if (at == std::string_view::npos) break;
    at = QuotedAfter(text, "to type", at, &r.to);
    if (at == std::string_view::npos) break;
    out.push_back(std::move(r));
  }
  return out;
}

std::string CastTypeOf(std::string_view sdcc_type) {
  // Words apart; the last word is where the variable itself lies.
  std::vector<std::string_view> words;
  for (size_t at = 0; at < sdcc_type.size();) {
    const size_t end = std::min(sdcc_type.find(' ', at), sdcc_type.size());
    if (end > at) words.push_back(sdcc_type.substr(at, end - at));
    at = end + 1;
  }
  while (!words.empty() && IsPlaceWord(words.back())) words.pop_back();
  if (words.empty()) return {};
  const std::string_view last = words.back();
  if (last.find('*') == std::string_view::npos) {
    if (words.size() != 1) return {};
    const std::string type = Spelled(words[0]);
    return IsIntegerType(type) ? type : std::string();
  }
  // "<pointee words> <space>*": one level of pointer only.
  if (last.back() != '*' || last.find('*') != last.size() - 1 || words.size() < 2) return {};
  const std::string_view space = last.substr(0, last.size() - 1);
  std::string pointee;
  for (size_t i = 0; i + 1 < words.size(); ++i) {
    if (words[i].find_first_of("*[(") != std::string_view::npos) return {};
    pointee += (pointee.empty() ? "" : " ") + Spelled(words[i]);
  }
  if (space == "generic") return pointee + " *";
  if (space == "data" || space == "near") return pointee + " __data *";
  if (space == "idata" || space == "xdata" || space == "pdata" || space == "code") {
    return pointee + " __" + std::string(space) + " *";
  }
  return {};
}

bool CastRefusedAssignments(std::string_view text, const std::vector<RefusedAssignment>& refused,
                            std::string* out) {
  TokenList list;
  Tokenize(text, &list);
  const std::vector<Token>& tokens = list.tokens;
  auto is = [&](size_t i, std::string_view p) {
    return i < tokens.size() && tokens[i].kind == TokenKind::kPunct &&
           text.substr(tokens[i].begin, tokens[i].end - tokens[i].begin) == p;
  };
  // The refusals of each line, in order; each line's "=" take them in turn.
  std::map<std::pair<std::string, int>, std::vector<const RefusedAssignment*>> by_line;
  for (const RefusedAssignment& r : refused) by_line[{r.file, r.line}].push_back(&r);
  std::map<size_t, std::string> inserts;  // byte offset => text
  for (const auto& [place, list_of] : by_line) {
    std::vector<size_t> assigns;
    for (size_t i = 0; i < tokens.size(); ++i) {
      if (tokens[i].line == place.second && is(i, "=") &&
          MarkerNamesFile(list.files[static_cast<size_t>(tokens[i].file)], place.first)) {
        assigns.push_back(i);
      }
    }
    if (assigns.size() != list_of.size()) return false;
    for (size_t k = 0; k < assigns.size(); ++k) {
      const std::string type = CastTypeOf(list_of[k]->to);
      if (type.empty()) return false;
      // The value runs to the ";", "," or closing bracket that ends it.
      size_t end = assigns[k] + 1;
      int depth = 0;
      for (; end < tokens.size(); ++end) {
        if (is(end, "(") || is(end, "[") || is(end, "{")) {
          ++depth;
        } else if (is(end, ")") || is(end, "]") || is(end, "}")) {
          if (depth-- == 0) break;
        } else if (depth == 0 && (is(end, ";") || is(end, ","))) {
          break;
        }
      }
      if (end >= tokens.size() || end == assigns[k] + 1) return false;
      inserts[tokens[assigns[k] + 1].begin] += "(" + type + ")(";
      inserts[tokens[end].begin] += ")";
    }
  }
  if (inserts.empty()) return false;
  out->clear();
  size_t copied = 0;
  for (const auto& [at, insert] : inserts) {
    out->append(text.substr(copied, at - copied));
    out->append(insert);
    copied = at;
  }
  out->append(text.substr(copied));
  return true;
}

}  // namespace c51::sdcc
