#include "sdcc/compile/dialect_inline_asm.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "sdcc/compile/a51_classic.h"
#include "sdcc/compile/a51_words.h"
#include "sim/controls.h"

namespace c51::sdcc {

namespace {

// "asm" or "endasm" for a "#pragma asm" / "#pragma endasm" line; else empty.
std::string AsmPragmaWord(std::string_view directive) {
  std::string_view rest = sim::Trim(directive);
  if (rest.empty() || rest[0] != '#') return std::string();
  rest = sim::Trim(rest.substr(1));
  if (rest.substr(0, 6) != "pragma") return std::string();
  rest = sim::Trim(rest.substr(6));
  const std::string word = sim::ToUpper(rest);
  if (word == "ASM") return "asm";
  if (word == "ENDASM") return "endasm";
  return std::string();
}

// The bytes of `text` as the inside of a C string literal. Bytes above 127
// are written in octal: a GBK comment's second byte may be a backslash.
std::string CString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (u < 0x20 || u >= 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\%03o", u);
      out += code;
    } else {
      out += c;
    }
  }
  return out;
}

// The labels a block defines ("D1:" at the start of a line), which stay
// its own even where the C file has a name of the same spelling.
std::set<std::string> BlockLabels(const std::vector<std::string>& lines) {
  std::set<std::string> labels;
  for (const std::string& line : lines) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t j = i;
    while (j < line.size() && (IsWordByte(line[j]) || line[j] == '?' || line[j] == '@')) ++j;
    size_t k = j;
    while (k < line.size() && (line[k] == ' ' || line[k] == '\t')) ++k;
    if (j > i && k < line.size() && line[k] == ':') labels.insert(line.substr(i, j - i));
  }
  return labels;
}

// The size in bytes of a parameter the original compiler passes in
// registers when it is one of the first three: 1, 2 or 4; 0 for anything
// else (a generic pointer, a bit, a struct).
int RegisterSize(const DialectSource& s, size_t first, size_t last, const TypedefWords& typedefs) {
  std::vector<std::string> words;
  for (size_t k = first; k < last; ++k) {
    if (s.Is(k, "[") || s.Is(k, "(")) return 0;
    const std::string w(s.At(k));
    auto known = typedefs.find(w);
    if (known != typedefs.end()) {
      words.insert(words.end(), known->second.begin(), known->second.end());
    } else {
      words.push_back(w);
    }
  }
  auto has = [&](std::string_view w) {
    return std::find(words.begin(), words.end(), w) != words.end();
  };
  if (has("*")) {
    // Pointers into one memory: one byte into internal RAM, two elsewhere.
    const auto star = std::find(words.begin(), words.end(), "*");
    for (auto w = words.begin(); w != star; ++w) {
      const std::string memory = SdccMemoryWord(*w);
      if (memory == "__data" || memory == "__idata" || memory == "__pdata") return 1;
      if (memory == "__xdata" || memory == "__code") return 2;
    }
    return 0;
  }
  if (has("struct") || has("union") || has("bit") || has("__bit")) return 0;
  if (has("long") || has("float") || has("double")) return 4;
  if (has("int") || has("short")) return 2;
  if (has("char")) return 1;
  return 0;
}

// Whether the statements between a body's "{" and the token at `at` make
// no code, so that a block there still finds the parameters where the call
// left them: "v = v;" and "(void)v;", which classic code writes to keep the
// compiler from warning of a parameter only the block reads, declarations
// without an initializer, and empty statements.
bool OnlyNoCodeBefore(const DialectSource& s, size_t body, size_t at) {
  size_t start = body + 1;
  for (size_t k = start; k < at; ++k) {
    if (!s.Is(k, ";")) continue;
    const size_t n = k - start;
    const bool self_assignment = n == 3 && s.IsWord(start) && s.Is(start + 1, "=") &&
                                 s.IsWord(start + 2) && s.At(start) == s.At(start + 2);
    const bool voided = n == 4 && s.Is(start, "(") && s.Is(start + 1, "void") &&
                        s.Is(start + 2, ")") && s.IsWord(start + 3);
    bool declaration = n >= 2 && s.IsWord(start);
    for (size_t t = start; t < k && declaration; ++t) {
      declaration = s.IsWord(t) || s.IsNumber(t) || s.Is(t, "*") || s.Is(t, ",") || s.Is(t, "[") ||
                    s.Is(t, "]");
    }
    if (n != 0 && !self_assignment && !voided && !declaration) return false;
    start = k + 1;
  }
  return start == at;
}

// The original compiler's parameter registers, taken from where sdcc puts
// the parameters, for a block that opens a function body: code written for
// it reads its first parameters there ("DJNZ R7,$" on a count). The first
// of 1, 2 or 4 bytes arrives in R7, R6:R7 or R4..R7 (high byte first), the
// second and third of 1 or 2 bytes in R5 or R4:R5 and R3 or R2:R3; sdcc
// passes the first in DPL, DPH, B, A (low byte first) and the others in its
// memory named _function_PARM_n.
std::string ParameterMoves(const DialectSource& s, size_t body, const TypedefWords& typedefs) {
  if (body == 0 || !s.Is(body - 1, ")")) return std::string();
  const size_t open = s.Mate(body - 1);
  if (open == DialectSource::kNone || open == 0 || !s.IsWord(open - 1)) return std::string();
  const std::string function(s.At(open - 1));
  std::string moves;
  const std::vector<std::pair<size_t, size_t>> params = s.Items(open);
  static constexpr const char* kFirst[] = {"dpl", "dph", "b", "a"};
  for (size_t p = 0; p < params.size() && p < 3; ++p) {
    const int size = RegisterSize(s, params[p].first, params[p].second, typedefs);
    if (size == 0 || (size == 4 && p > 0)) break;
    // The register of the low byte: R7, R5, R3; higher bytes below it.
    const int low = 7 - 2 * static_cast<int>(p);
    for (int byte = 0; byte < size; ++byte) {
      std::string from;
      if (p == 0) {
        from = kFirst[byte];
      } else {
        const std::string parm = "_" + function + "_PARM_" + std::to_string(p + 1);
        from = byte == 0 ? parm : "(" + parm + " + " + std::to_string(byte) + ")";
      }
      moves += "\tmov\tr" + std::to_string(low - byte) + "," + from + "\n";
    }
    if (size == 4) break;
  }
  return moves;
}

}  // namespace

bool IsInlineAsmPragma(std::string_view word) {
  const std::string upper = sim::ToUpper(word);
  return upper == "ASM" || upper == "ENDASM";
}

bool CutInlineAssembly(std::string_view text, const TokenList& list, std::string* cut,
                       std::vector<InlineAsmBlock>* blocks, std::vector<LineRange>* ranges,
                       std::vector<DialectIssue>* issues) {
  cut->clear();
  blocks->clear();
  const Directive* open = nullptr;
  size_t copied = 0;
  for (const Directive& d : list.directives) {
    if (d.system) continue;
    const std::string word = AsmPragmaWord(text.substr(d.begin, d.end - d.begin));
    if (word.empty()) continue;
    if (word == "asm") {
      if (open) {
        issues->push_back(DialectIssue{list.files[d.file], d.line,
                                       "'#pragma asm' inside another: '#pragma endasm' missing"});
      }
      open = &d;
      continue;
    }
    if (!open) {
      issues->push_back(
          DialectIssue{list.files[d.file], d.line, "'#pragma endasm' without '#pragma asm'"});
      continue;
    }
    // The block's lines run from the line after "#pragma asm" to the line
    // before "#pragma endasm".
    InlineAsmBlock block;
    block.placeholder = "__c51_asm_" + std::to_string(blocks->size());
    block.line = open->line;
    const size_t body = std::min(open->end + 1, d.begin);
    const size_t line_start = text.rfind('\n', d.begin == 0 ? 0 : d.begin - 1);
    const size_t body_end =
        line_start == std::string_view::npos || line_start < body ? body : line_start + 1;
    std::string_view rest = text.substr(body, body_end - body);
    while (!rest.empty()) {
      size_t end = rest.find('\n');
      if (end == std::string_view::npos) end = rest.size();
      std::string_view line = rest.substr(0, end);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      block.lines.emplace_back(line);
      rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    const std::string_view region = text.substr(open->begin, d.end - open->begin);
    cut->append(text.substr(copied, open->begin - copied));
    *cut += block.placeholder + ";";
    cut->append(static_cast<size_t>(std::count(region.begin(), region.end(), '\n')), '\n');
    copied = d.end;
    ranges->push_back(LineRange{list.files[open->file], open->line, d.line});
    blocks->push_back(std::move(block));
    open = nullptr;
  }
  if (open) {
    issues->push_back(
        DialectIssue{list.files[open->file], open->line, "'#pragma asm' without '#pragma endasm'"});
  }
  if (blocks->empty()) {
    cut->clear();
    return false;
  }
  cut->append(text.substr(copied));
  return true;
}

void BridgeInlineAssembly(DialectSource* source, const std::vector<InlineAsmBlock>& blocks) {
  if (blocks.empty()) return;
  // Names of the C file, for the "_" sdcc puts before them.
  std::set<std::string> c_names;
  for (size_t i = 0; i < source->size(); ++i) {
    if (!source->IsWord(i)) continue;
    const std::string name(source->At(i));
    if (name.rfind("__c51_asm_", 0) == 0 || a51::IsRegister(sim::ToUpper(name))) continue;
    c_names.insert(name);
  }
  const TypedefWords typedefs = PlainTypedefs(*source);
  for (size_t i = 0; i < source->size(); ++i) {
    if (!source->IsWord(i) || !source->Is(i + 1, ";")) continue;
    const std::string_view word = source->At(i);
    auto block = std::find_if(blocks.begin(), blocks.end(),
                              [&](const InlineAsmBlock& b) { return b.placeholder == word; });
    if (block == blocks.end()) continue;
    ClassicOptions options;
    options.tag = "i" + std::to_string(block - blocks.begin());
    options.header = true;
    options.in_c = true;
    options.c_names = c_names;
    for (const std::string& label : BlockLabels(block->lines)) options.c_names.erase(label);
    std::string lines;
    for (const std::string& line : block->lines) lines += line + "\n";
    ClassicTranslation translation;
    TranslateClassic(lines, options, &translation);
    if (!translation.issues.empty()) {
      for (const A51Issue& issue : translation.issues) {
        source->Issue(source->token(i).file, block->line + issue.line,
                      "in '#pragma asm': " + issue.text);
      }
      continue;
    }
    const size_t body = source->BodyOf(i);
    const bool in_function = body != DialectSource::kNone;
    std::string code = translation.prelude + translation.text;
    if (in_function && OnlyNoCodeBefore(*source, body, i)) {
      code = ParameterMoves(*source, body, typedefs) + code;
    }
    if (in_function) {
      source->Replace(i, i + 2, "__asm__(\"" + CString(code) + "\");");
    } else {
      // sdcc takes assembly only inside a function: a naked one of its own,
      // after which code memory is sdcc's code area again.
      code += "\t.area CSEG (CODE)\n";
      source->Replace(i, i + 2,
                      "static void " + block->placeholder + "(void) __naked { __asm__(\"" +
                          CString(code) + "\"); }");
    }
  }
}

}  // namespace c51::sdcc
