#include "sdcc/compile/a51_syntax.h"

#include <cctype>

#include "sim/controls.h"
#include "sim/source_lines.h"

namespace c51::sdcc {

namespace {

// A line's statement, past its "label:" (or sdas8051's "label::").
std::string_view StatementOf(std::string_view code) {
  code = sim::Trim(code);
  const size_t colon = code.find(':');
  if (colon != std::string_view::npos) {
    bool label = colon > 0;
    for (size_t i = 0; i < colon; ++i) {
      const char c = code[i];
      label = label && (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$' ||
                        c == '.' || c == '?');
    }
    const size_t after = code.find_first_not_of(':', colon);
    if (label) {
      code = after == std::string_view::npos ? std::string_view() : sim::Trim(code.substr(after));
    }
  }
  return code;
}

}  // namespace

AsmSyntax DetectAsmSyntax(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 byte order mark
  bool c_header = false;
  bool first = true;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    const std::string_view trimmed = sim::Trim(line);
    if (trimmed.empty()) continue;
    if (first && (trimmed.substr(0, 2) == "/*" || trimmed.substr(0, 2) == "//")) c_header = true;
    first = false;
    sim::SplitLine split;
    sim::SplitAssemblyLine(line, &split);
    std::string_view statement = StatementOf(split.code);
    if (statement.size() > 1 && statement[0] == '.' &&
        std::isalpha(static_cast<unsigned char>(statement[1]))) {
      std::string_view rest = statement;
      if (sim::ToUpper(sim::NextWord(&rest)) != ".INCLUDE") return AsmSyntax::kSdas;
    }
    std::string_view rest = statement;
    const std::string_view word = sim::NextWord(&rest);
    if ((word == "sfr" || word == "sfr16" || word == "sbit") &&
        rest.find('=') != std::string_view::npos) {
      c_header = true;
    }
  }
  return c_header ? AsmSyntax::kCHeader : AsmSyntax::kClassic;
}

}  // namespace c51::sdcc
