#include "sdcc/compile/sdcc_messages.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <tuple>

#include "sdcc/compile/c_tokens.h"
#include "sim/controls.h"

namespace c51::sdcc {

namespace {

using Kind = ToolMessage::Kind;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// sdcc's warnings of a function called with no declaration, and of a local
// read before it is set.
constexpr int kImplicitDeclaration = 112;
constexpr int kUsedBeforeSet = 84;
constexpr int kTooManyParameters = 101;
constexpr int kIndirectionsAssignment = 47;
constexpr int kExcessStringElements = 147;

// sdcc's message numbers with a code of our compiler that means the same.
struct CodeMap {
  int sdcc;
  const char* code;
};
constexpr CodeMap kErrorCodes[] = {
    {0, "C231"},   // duplicate symbol: redefinition
    {20, "C202"},  // undefined identifier
    {26, "C204"},  // not a structure/union member: undefined member
    {33, "C213"},  // assignment to a constant: left side not an lvalue
    {kTooManyParameters, "C208"},
    {102, "C209"},  // too few parameters
};
constexpr CodeMap kWarningCodes[] = {
    {59, "C173"},                    // missing return value
    {85, "C280"},                    // unreferenced local variable
    {kImplicitDeclaration, "C206"},  // missing function prototype
    {126, "C294"},                   // unreachable code
};

template <size_t N>
const char* FindCode(const CodeMap (&table)[N], int number) {
  for (const CodeMap& m : table) {
    if (m.sdcc == number) return m.code;
  }
  return nullptr;
}

// "main.c:12: rest" or "main.c:12:5: rest" => file, line, rest. "at 1: rest"
// (sdcc's form without a file) gives an empty file.
bool SplitLocation(std::string_view line, std::string* file, int* number, std::string_view* rest) {
  if (StartsWith(line, "at ")) {
    size_t i = 3;
    while (i < line.size() && IsDigit(line[i])) ++i;
    if (i == 3 || i >= line.size() || line[i] != ':') return false;
    file->clear();
    *number = std::atoi(std::string(line.substr(3, i - 3)).c_str());
    *rest = sim::Trim(line.substr(i + 1));
    return true;
  }
  for (size_t colon = line.find(':'); colon != std::string_view::npos;
       colon = line.find(':', colon + 1)) {
    size_t i = colon + 1;
    while (i < line.size() && IsDigit(line[i])) ++i;
    if (colon == 0 || i == colon + 1 || i >= line.size() || line[i] != ':') continue;
    file->assign(line.substr(0, colon));
    *number = std::atoi(std::string(line.substr(colon + 1, i - colon - 1)).c_str());
    size_t j = i + 1;
    while (j < line.size() && IsDigit(line[j])) ++j;  // a column
    if (j > i + 1 && j < line.size() && line[j] == ':') i = j;
    *rest = sim::Trim(line.substr(i + 1));
    return true;
  }
  return false;
}

// "error 20: text" => 20 and "text"; false without a number.
bool NumberedMessage(std::string_view rest, std::string_view word, int* number,
                     std::string_view* text) {
  if (!StartsWith(rest, word) || rest.size() <= word.size() + 1 || rest[word.size()] != ' ' ||
      !IsDigit(rest[word.size() + 1])) {
    return false;
  }
  size_t i = word.size() + 1;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  if (i >= rest.size() || rest[i] != ':') return false;
  *number = std::atoi(std::string(rest.substr(word.size() + 1, i - word.size() - 1)).c_str());
  *text = sim::Trim(rest.substr(i + 1));
  return true;
}

std::string WithNumber(std::string_view text, int number) {
  return std::string(text) + " (sdcc " + std::to_string(number) + ")";
}

// One compiler or preprocessor message; false when `rest` is none.
bool CompilerMessage(std::string_view rest, ToolMessage* m) {
  int number = 0;
  std::string_view text;
  if (NumberedMessage(rest, "error", &number, &text)) {
    const char* code = FindCode(kErrorCodes, number);
    m->kind = Kind::kError;
    m->code = code != nullptr ? code : kGenericCompilerCode;
    m->text = code != nullptr ? std::string(text) : WithNumber(text, number);
    m->number = number;
    return true;
  }
  if (NumberedMessage(rest, "warning", &number, &text)) {
    const char* code = FindCode(kWarningCodes, number);
    m->kind = Kind::kWarning;
    m->code = code != nullptr ? code : kGenericCompilerWarningCode;
    m->text = code != nullptr ? std::string(text) : WithNumber(text, number);
    m->number = number;
    return true;
  }
  if (StartsWith(rest, "syntax error:")) {
    // "syntax error: token -> '}' ; column 1"
    text = sim::Trim(rest.substr(13));
    if (StartsWith(text, "token ->")) text = sim::Trim(text.substr(8));
    const size_t cut = text.rfind(" ; column");
    if (cut != std::string_view::npos) text = sim::Trim(text.substr(0, cut));
    m->kind = Kind::kError;
    m->code = "C141";
    m->text = "syntax error near " + std::string(text);
    return true;
  }
  constexpr std::string_view kNoFile = ": No such file or directory";
  if (StartsWith(rest, "fatal error:")) {
    text = sim::Trim(rest.substr(12));
    if (text.size() > kNoFile.size() && text.substr(text.size() - kNoFile.size()) == kNoFile) {
      m->kind = Kind::kMissingInclude;
      m->text = text.substr(0, text.size() - kNoFile.size());
      return true;
    }
    m->kind = Kind::kError;
    m->code = kGenericCompilerCode;
    m->text = text;
    return true;
  }
  if (StartsWith(rest, "error:")) {
    text = sim::Trim(rest.substr(6));
    m->kind = Kind::kError;
    m->code = StartsWith(text, "#error") ? "C320" : kGenericCompilerCode;
    if (StartsWith(text, "#error")) text = sim::Trim(text.substr(6));
    m->text = text;
    return true;
  }
  if (StartsWith(rest, "warning:")) {
    m->kind = Kind::kWarning;
    m->code = kGenericCompilerWarningCode;
    m->text = sim::Trim(rest.substr(8));
    return true;
  }
  return false;
}

bool AssemblerMessage(std::string_view rest, ToolMessage* m) {
  if (!StartsWith(rest, "Error:")) return false;
  std::string_view text = sim::Trim(rest.substr(6));
  char letter = 0;
  if (text.size() >= 3 && text[0] == '<' && text[2] == '>') {
    letter = text[1];
    text = sim::Trim(text.substr(3));
  }
  m->kind = Kind::kError;
  m->code = letter == 'u' ? "#A45" : kGenericAssemblerCode;
  m->text = sim::ToUpper(text);
  return true;
}

template <typename Parse>
std::vector<ToolMessage> ParseOutput(std::string_view output, Parse parse) {
  std::vector<ToolMessage> messages;
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find('\n', pos);
    if (end == std::string_view::npos) end = output.size();
    std::string_view line = output.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::string_view trimmed = sim::Trim(line);
    if (trimmed.empty()) continue;
    ToolMessage m;
    std::string_view rest;
    if (SplitLocation(line, &m.file, &m.line, &rest) && !messages.empty() &&
        rest.find("previously defined here") != std::string_view::npos) {
      // A note to the redefinition before it, not an error of its own.
      messages.back().text += "; previously defined in line " + std::to_string(m.line);
    } else if (SplitLocation(line, &m.file, &m.line, &rest) && !messages.empty() &&
               rest.find("location of the previous definition") != std::string_view::npos) {
      // The preprocessor's note to a macro defined again, often in another
      // file; it says "error", but the redefinition is a warning.
      messages.back().text +=
          "; previously defined in line " + std::to_string(m.line) + " of " + m.file;
    } else if (SplitLocation(line, &m.file, &m.line, &rest) && parse(rest, &m)) {
      messages.push_back(std::move(m));
    } else if (!messages.empty() &&
               (StartsWith(trimmed, "from type") || StartsWith(trimmed, "to type"))) {
      // sdcc names the two types of a mismatch on lines of their own.
      messages.back().text += "; " + std::string(trimmed);
    }
  }
  return messages;
}

// The `n`th quoted word of a message's text, from 0: "'auto' variable
// 'foo' may be ..." => auto, foo. Empty when there is none.
std::string_view Quoted(std::string_view text, int n) {
  size_t open = std::string_view::npos;
  size_t close = 0;
  for (int i = 0; i <= n; ++i) {
    open = text.find('\'', i == 0 ? 0 : close + 1);
    close = open == std::string_view::npos ? open : text.find('\'', open + 1);
    if (close == std::string_view::npos) return std::string_view();
  }
  return text.substr(open + 1, close - open - 1);
}

// Drops the "'auto' variable may be used before initialization" sdcc says
// of the function it declared implicitly at the same place, and names the
// missing prototype where a call to it passes arguments.
void DropImplicitDeclarationLocals(std::vector<ToolMessage>* messages) {
  std::vector<std::tuple<std::string, int, std::string>> implicit;  // file, line, function
  for (const ToolMessage& m : *messages) {
    if (m.kind == Kind::kWarning && m.number == kImplicitDeclaration) {
      implicit.emplace_back(m.file, m.line, std::string(Quoted(m.text, 0)));
    }
  }
  if (implicit.empty()) return;
  auto bogus = [&](const ToolMessage& m) {
    if (m.kind != Kind::kWarning || m.number != kUsedBeforeSet) return false;
    const auto place = std::make_tuple(m.file, m.line, std::string(Quoted(m.text, 1)));
    return std::find(implicit.begin(), implicit.end(), place) != implicit.end();
  };
  messages->erase(std::remove_if(messages->begin(), messages->end(), bogus), messages->end());
  // sdcc takes such a function to have no parameters, so a call with
  // arguments gets "too many parameters"; the Windows compiler's word for it
  // says what to do.
  for (ToolMessage& m : *messages) {
    if (m.kind != Kind::kError || m.number != kTooManyParameters) continue;
    for (const auto& [file, line, function] : implicit) {
      if (file == m.file && line == m.line && !function.empty()) {
        m.code = "C267";
        m.text = "'" + function + "': requires ANSI-style prototype";
        break;
      }
    }
  }
}

}  // namespace

bool UsedBeforeSet(const ToolMessage& m, std::string* local) {
  if (m.kind != Kind::kWarning || m.number != kUsedBeforeSet) return false;
  local->assign(Quoted(m.text, 1));
  return !local->empty();
}

bool RefusesAssignment(const ToolMessage& m) {
  return m.kind == Kind::kError && m.number == kIndirectionsAssignment;
}

namespace {

// The bytes a string literal's text ("\"M\\x41n\"") stands for, without the
// terminator.
size_t LiteralBytes(std::string_view literal) {
  if (literal.size() < 2 || literal.front() != '"') return 0;
  literal = literal.substr(1, literal.size() - 2);
  size_t bytes = 0;
  for (size_t i = 0; i < literal.size(); ++bytes) {
    if (literal[i] != '\\' || i + 1 >= literal.size()) {
      ++i;
      continue;
    }
    ++i;
    if (literal[i] == 'x') {
      ++i;
      while (i < literal.size() && std::isxdigit(static_cast<unsigned char>(literal[i]))) ++i;
    } else if (literal[i] >= '0' && literal[i] <= '7') {
      for (int d = 0; d < 3 && i < literal.size() && literal[i] >= '0' && literal[i] <= '7'; ++d) {
        ++i;
      }
    } else {
      ++i;
    }
  }
  return bytes;
}

// Whether every string of `name`'s initializer fits the array's innermost
// dimension; false when the declaration is not found as "name[..]... =".
bool StringsFit(std::string_view text, const TokenList& list, std::string_view name) {
  const std::vector<Token>& t = list.tokens;
  auto at = [&](size_t i) { return text.substr(t[i].begin, t[i].end - t[i].begin); };
  for (size_t i = 0; i + 1 < t.size(); ++i) {
    if (t[i].kind != TokenKind::kWord || at(i) != name || at(i + 1) != "[") continue;
    size_t k = i + 1;
    uint32_t innermost = 0;
    while (k + 2 < t.size() && at(k) == "[") {
      innermost = 0;
      if (at(k + 1) == "]") {
        k += 2;
        continue;
      }
      if (!ParseCInteger(at(k + 1), &innermost) || at(k + 2) != "]") return false;
      k += 3;
    }
    if (k >= t.size() || at(k) != "=" || innermost == 0) continue;
    size_t run = 0;  // adjacent literals are one string
    for (++k; k < t.size() && at(k) != ";"; ++k) {
      if (t[k].kind == TokenKind::kLiteral && at(k).front() == '"') {
        run += LiteralBytes(at(k));
        if (run > innermost) return false;
      } else {
        run = 0;
      }
    }
    return true;
  }
  return false;
}

}  // namespace

void DropExactStringFits(std::string_view text, std::vector<ToolMessage>* messages) {
  if (std::none_of(messages->begin(), messages->end(), [](const ToolMessage& m) {
        return m.kind == Kind::kWarning && m.number == kExcessStringElements;
      })) {
    return;
  }
  TokenList list;
  Tokenize(text, &list);
  messages->erase(std::remove_if(messages->begin(), messages->end(),
                                 [&](const ToolMessage& m) {
                                   return m.kind == Kind::kWarning &&
                                          m.number == kExcessStringElements &&
                                          StringsFit(text, list, Quoted(m.text, 0));
                                 }),
                  messages->end());
}

std::vector<ToolMessage> ParseCompilerOutput(std::string_view output) {
  std::vector<ToolMessage> messages = ParseOutput(output, CompilerMessage);
  DropImplicitDeclarationLocals(&messages);
  return messages;
}

std::vector<ToolMessage> ParseAssemblerOutput(std::string_view output) {
  return ParseOutput(output, AssemblerMessage);
}

}  // namespace c51::sdcc
