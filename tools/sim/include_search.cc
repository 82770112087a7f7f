#include "sim/include_search.h"

#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sim {

namespace {

bool IsWordChar(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

IncludeRequest FindInclude(std::string_view code, Dialect dialect) {
  IncludeRequest request;
  std::string_view text = Trim(code);
  if (dialect == Dialect::kAssembly && !text.empty() && text[0] == '$') {
    std::vector<Control> controls;
    std::string err;
    size_t offset;
    // A control line that does not parse is the assembler's business, not an include.
    if (!ParseControls(text.substr(1), &controls, &err, &offset)) return request;
    for (const Control& control : controls) {
      if (control.name != "INCLUDE") continue;
      request.name = TrimEnd(Unquote(control.argument));
      request.kind = request.name.empty() ? IncludeRequest::kBad : IncludeRequest::kQuoted;
      return request;
    }
    return request;
  }
  if (text.empty() || text[0] != '#') return request;
  text = Trim(text.substr(1));
  // The directive's word ends where its letters do: "#include<reg52.h>"
  // and "#include\"x.h\"" are as common as the spaced forms.
  size_t letters = 0;
  while (letters < text.size() && IsWordChar(text[letters])) ++letters;
  const std::string_view word = text.substr(0, letters);
  text.remove_prefix(letters);
  if (word != "include" && !(dialect == Dialect::kAssembly && ToUpper(word) == "INCLUDE")) {
    return request;
  }
  text = Trim(text);
  request.kind = IncludeRequest::kBad;
  if (text.size() < 2) return request;
  const char close = text[0] == '"' ? '"' : (text[0] == '<' ? '>' : 0);
  if (close == 0) return request;
  size_t end = text.find(close, 1);
  if (end == std::string_view::npos) return request;
  std::string_view name = text.substr(1, end - 1);
  name = close == '>' ? Trim(name) : TrimEnd(name);
  if (name.empty()) return request;
  request.name = name;
  request.kind = close == '"' ? IncludeRequest::kQuoted : IncludeRequest::kAngle;
  return request;
}

std::vector<std::string> IncludeCandidates(const IncludeRequest& request,
                                           std::string_view includer_dir,
                                           const std::vector<std::string>& include_dirs,
                                           PathStyle style) {
  std::vector<std::string> candidates;
  if (IsFullyQualified(request.name, style)) {
    candidates.push_back(request.name);
    return candidates;
  }
  if (request.kind == IncludeRequest::kQuoted) {
    candidates.push_back(JoinPath(includer_dir, request.name));
    // A file in the current folder names it twice; one look is enough.
    if (!includer_dir.empty()) candidates.push_back(request.name);
  }
  for (const std::string& dir : include_dirs) {
    if (!dir.empty()) candidates.push_back(JoinPath(dir, request.name));
  }
  return candidates;
}

}  // namespace c51::sim
