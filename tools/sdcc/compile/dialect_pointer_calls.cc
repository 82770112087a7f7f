#include "sdcc/compile/dialect_pointer_calls.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;

// The parameters between `open` and its mate; none for "(void)".
std::vector<std::pair<size_t, size_t>> Parameters(const DialectSource& s, size_t open) {
  const size_t close = s.Mate(open);
  if (close == open + 2 && s.Is(open + 1, "void")) return {};
  return s.Items(open);
}

bool Variadic(const DialectSource& s, size_t open) {
  const size_t close = s.Mate(open);
  for (size_t k = open + 1; close != kNone && k < close; ++k) {
    if (s.Is(k, "...") || s.Is(k, ".")) return true;
  }
  return false;
}

// A parameter restated with a name ("unsigned char n", "char *__a1"); an
// array parameter is the pointer it stands for ("u8 buf[]" => "u8 *buf",
// "u8 m[][4]" => "u8 (*m)[4]"). Empty when it holds other brackets (a
// function pointer), which this pass does not restate.
std::string NamedParameter(const DialectSource& s, size_t first, size_t last, size_t index) {
  size_t array = last;
  for (size_t k = first; k < last; ++k) {
    if (!s.Is(k, "[")) continue;
    array = k;
    // Only bracket groups may follow the first one.
    for (size_t g = k; g < last;) {
      const size_t close = s.Mate(g);
      if (!s.Is(g, "[") || close == kNone || close >= last) return std::string();
      g = close + 1;
    }
    break;
  }
  if (array < last) {
    if (array == first) return std::string();
    const std::string element = NamedParameter(s, first, array, index);
    if (element.empty()) return std::string();
    const size_t cut = element.find_last_of(" *");
    const std::string type = cut == std::string::npos ? std::string() : element.substr(0, cut + 1);
    const std::string name = element.substr(cut == std::string::npos ? 0 : cut + 1);
    const size_t inner = s.Mate(array) + 1;
    if (inner == last) return type + "*" + name;
    std::string dims;
    for (size_t k = inner; k < last; ++k) dims += s.At(k);
    return type + "(*" + name + ")" + dims;
  }
  std::string text;
  for (size_t k = first; k < last; ++k) {
    if (s.Is(k, "(") || s.Is(k, "[")) return std::string();
    if (!text.empty() && !s.Is(k, "*") && !s.Is(k - 1, "*")) text += ' ';
    if (!text.empty() && s.Is(k, "*")) text += ' ';
    text += s.IsWord(k) ? SdccMemoryWord(s.At(k)) : std::string(s.At(k));
  }
  const bool named = last - first >= 2 && s.IsWord(last - 1) && !IsTypeWord(s.At(last - 1));
  if (!named) text += " __a" + std::to_string(index);
  return text;
}

std::string ParameterName(const std::string& param) {
  // "u8 (*m)[8]"
  const size_t inner = param.find("(*");
  if (inner != std::string::npos) {
    return param.substr(inner + 2, param.find(')', inner) - inner - 2);
  }
  const size_t cut = param.find_last_of(" *");
  return cut == std::string::npos ? param : param.substr(cut + 1);
}

struct Function {
  std::string result;                   // "void", "unsigned char"
  std::vector<std::string> parameters;  // named
  bool usable = false;
};

// The statement at file scope that holds token `i`: its first token.
size_t TopLevelStart(const DialectSource& s, size_t i) {
  const size_t body = s.BodyOf(i);
  size_t k = body != kNone ? body : i;
  while (k > 0) {
    const size_t prev = k - 1;
    if (s.Is(prev, ";")) break;
    if (s.Is(prev, "}") || s.Is(prev, ")") || s.Is(prev, "]")) {
      const size_t mate = s.Mate(prev);
      // A function's body ends a statement; an initializer's inner braces
      // (after "{" or ",") do not.
      if (s.Is(prev, "}") && mate != kNone && mate > 0 && s.IsBodyOpen(mate) &&
          !s.Is(mate - 1, "{") && !s.Is(mate - 1, ",")) {
        break;
      }
      if (mate != kNone && mate < prev) {
        k = mate;
        continue;
      }
    }
    --k;
  }
  return k;
}

}  // namespace

void BridgePointerCalls(DialectSource* source) {
  DialectSource& s = *source;
  // Pointer declarators: "( * name ... ) ( two or more parameters )".
  bool pointers = false;
  for (size_t i = 1; i + 2 < s.size(); ++i) {
    if (!s.User(i) || !s.Is(i, "(")) continue;
    // After a type: a declarator or a cast; "(*fp)(a, b)" after anything
    // else is a call.
    const bool after_type = s.IsWord(i - 1) && !s.Is(i - 1, "return") && !s.Is(i - 1, "sizeof") &&
                            !s.Is(i - 1, "else") && !s.Is(i - 1, "do");
    if (!after_type && !s.Is(i - 1, "*")) continue;
    size_t star = i + 1;
    while (star < s.size() && (s.Is(star, "code") || s.Is(star, "__code") || s.Is(star, "data") ||
                               s.Is(star, "xdata") || s.Is(star, "idata"))) {
      ++star;
    }
    if (!s.Is(star, "*")) continue;
    const size_t close = s.Mate(i);
    if (close == kNone || !s.Is(close + 1, "(")) continue;
    const size_t params_close = s.Mate(close + 1);
    if (params_close == kNone || Parameters(s, close + 1).size() < 2 || Variadic(s, close + 1)) {
      continue;
    }
    pointers = true;
    if (s.Is(params_close + 1, "reentrant") || s.Is(params_close + 1, "__reentrant")) continue;
    s.InsertAfter(params_close, " __reentrant");
  }
  if (!pointers) return;

  // Plain functions of two or more parameters declared at file scope.
  std::map<std::string, Function> functions;
  for (size_t i = 1; i + 1 < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || !s.Is(i + 1, "(") || s.BodyOf(i) != kNone) continue;
    if (!s.IsWord(i - 1) && !s.Is(i - 1, "*")) continue;
    const size_t close = s.Mate(i + 1);
    if (close == kNone || !(s.Is(close + 1, ";") || s.IsBodyOpen(close + 1))) continue;
    const auto params = Parameters(s, i + 1);
    if (params.size() < 2 || Variadic(s, i + 1)) continue;
    Function f;
    size_t start = i;
    while (start > 0 && (s.IsWord(start - 1) || s.Is(start - 1, "*"))) --start;
    for (size_t k = start; k < i; ++k) {
      if (s.Is(k, "extern") || s.Is(k, "static")) continue;
      if (!f.result.empty() && !s.Is(k, "*")) f.result += ' ';
      f.result += s.IsWord(k) ? SdccMemoryWord(s.At(k)) : std::string(s.At(k));
    }
    f.usable = !f.result.empty();
    for (size_t p = 0; p < params.size() && f.usable; ++p) {
      f.parameters.push_back(NamedParameter(s, params[p].first, params[p].second, p));
      f.usable = !f.parameters.back().empty();
    }
    // A definition names its parameters: it wins over a prototype.
    auto [it, inserted] = functions.emplace(std::string(s.At(i)), f);
    if (!inserted && s.IsBodyOpen(close + 1) && f.usable) it->second = f;
  }

  // Where their address is taken, the stand-in; declared before the first
  // such statement, defined at the end.
  std::set<std::string> declared;
  std::string definitions;
  for (size_t i = 1; i < s.size(); ++i) {
    if (!s.User(i) || !s.IsWord(i) || s.Is(i + 1, "(")) continue;
    const auto found = functions.find(std::string(s.At(i)));
    if (found == functions.end() || !found->second.usable) continue;
    const bool after_value = s.Is(i - 1, "=") || s.Is(i - 1, ",") || s.Is(i - 1, "{") ||
                             s.Is(i - 1, "(") || s.Is(i - 1, "&") || s.Is(i - 1, "?") ||
                             s.Is(i - 1, ":") || s.Is(i - 1, "return") || s.Is(i - 1, "==") ||
                             s.Is(i - 1, "!=") || s.Is(i - 1, ")");  // a cast: "(H)f"
    if (!after_value) continue;
    const Function& f = found->second;
    const std::string thunk = "__c51_thunk_" + found->first;
    std::string params, args;
    for (const std::string& p : f.parameters) {
      params += (params.empty() ? "" : ", ") + p;
      args += (args.empty() ? "" : ", ") + ParameterName(p);
    }
    const std::string head = "static " + f.result + " " + thunk + "(" + params + ") __reentrant";
    if (declared.insert(found->first).second) {
      s.InsertBefore(TopLevelStart(s, i), head + "; ");
      definitions += " " + head + " { " + (f.result == "void" ? "" : "return ") + found->first +
                     "(" + args + "); }";
    }
    if (s.Is(i - 1, "&")) {
      s.Replace(i - 1, i + 1, thunk);
    } else {
      s.Replace(i, i + 1, thunk);
    }
  }
  if (!definitions.empty()) s.InsertAfter(s.size() - 1, definitions);
}

}  // namespace c51::sdcc
