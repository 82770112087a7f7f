#include "sim/link_command.h"

#include "sim/command_line.h"
#include "sim/files.h"

namespace c51::sim {

namespace {

constexpr int kMaxBank = 63;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) {}

  // Blanks, line ends, and the "&" that continues a line in hand-written files.
  void SkipSpace() {
    while (pos_ < text_.size() && (IsSpace(text_[pos_]) || text_[pos_] == '&')) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() { ++pos_; }

  // A word that ends at a blank, or at "{": "BANK3 {" and "BANK3{" both work.
  bool PeekKeyword(std::string_view keyword, size_t* length) const {
    const size_t n = keyword.size();
    if (text_.size() - pos_ < n) return false;
    if (ToUpper(text_.substr(pos_, n)) != keyword) return false;
    *length = n;
    while (pos_ + *length < text_.size()) {
      char c = text_[pos_ + *length];
      if (c < '0' || c > '9') break;
      ++*length;
    }
    return pos_ + *length == text_.size() || IsSpace(text_[pos_ + *length]) ||
           text_[pos_ + *length] == '{' || text_[pos_ + *length] == '"';
  }
  std::string_view Take(size_t n) {
    std::string_view out = text_.substr(pos_, n);
    pos_ += n;
    return out;
  }

  // A quoted name, or a bare one up to a blank, "," or brace.
  bool Name(std::string* name, std::string* err) {
    if (Peek() == '"') {
      size_t close = text_.find('"', pos_ + 1);
      if (close == std::string_view::npos) {
        *err = "UNTERMINATED FILE NAME";
        return false;
      }
      *name = text_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
    } else {
      size_t start = pos_;
      while (!AtEnd() && !IsSpace(Peek()) && Peek() != ',' && Peek() != '{' && Peek() != '}') {
        ++pos_;
      }
      *name = text_.substr(start, pos_ - start);
    }
    if (name->empty()) {
      *err = "MISSING FILE NAME";
      return false;
    }
    return true;
  }

  std::string_view Rest() const { return text_.substr(pos_); }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

bool ParseLinkCommand(std::string_view text, LinkCommand* command, std::string* err) {
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  Cursor cursor(text);
  size_t length;
  cursor.SkipSpace();
  if (cursor.PeekKeyword("TRANSFER", &length) && length == 8) {
    cursor.Take(length);
    command->transfer = true;
  }
  int bank = kCommonArea;  // inside "{...}": the group's bank
  bool in_group = false;
  bool expect_item = true;
  while (true) {
    cursor.SkipSpace();
    if (cursor.AtEnd()) {
      if (in_group) {
        *err = "MISSING '}'";
        return false;
      }
      break;  // no TO: the tool names the output itself
    }
    if (!in_group && cursor.PeekKeyword("TO", &length) && length == 2) {
      cursor.Take(length);
      cursor.SkipSpace();
      if (!cursor.Name(&command->output, err)) return false;
      break;
    }
    if (in_group && cursor.Peek() == '}') {
      cursor.Advance();
      in_group = false;
      bank = kCommonArea;
      expect_item = false;
      continue;
    }
    if (cursor.Peek() == ',') {
      if (expect_item) {
        *err = "MISSING FILE NAME BEFORE ','";
        return false;
      }
      cursor.Advance();
      expect_item = true;
      continue;
    }
    if (!expect_item) {
      *err = "MISSING ',' BETWEEN FILE NAMES";
      return false;
    }
    if (!in_group && cursor.PeekKeyword("BANK", &length) && length > 4) {
      std::string_view word = cursor.Take(length);
      int number = 0;
      for (char c : word.substr(4)) number = number * 10 + (c - '0');
      if (length > 6 || number > kMaxBank) {
        *err = "BANK NUMBER OUT OF RANGE";
        return false;
      }
      cursor.SkipSpace();
      if (cursor.Peek() != '{') {
        *err = "MISSING '{' AFTER BANK";
        return false;
      }
      cursor.Advance();
      in_group = true;
      bank = number;
      continue;
    }
    if (!in_group && cursor.PeekKeyword("COMMON", &length) && length == 6) {
      cursor.Take(length);
      cursor.SkipSpace();
      if (cursor.Peek() != '{') {
        *err = "MISSING '{' AFTER COMMON";
        return false;
      }
      cursor.Advance();
      in_group = true;
      bank = kCommonArea;
      continue;
    }
    LinkInput input;
    input.bank = bank;
    if (!cursor.Name(&input.path, err)) return false;
    command->inputs.push_back(std::move(input));
    expect_item = false;
  }
  if (command->inputs.empty()) {
    *err = "NO INPUT FILES";
    return false;
  }
  size_t offset;
  if (!ParseControls(cursor.Rest(), &command->controls, err, &offset)) return false;
  return true;
}

bool ReadLinkCommandText(const std::vector<std::string>& args, std::string* text,
                         std::string* err) {
  if (!args.empty() && !args[0].empty() && args[0][0] == '@') {
    const std::string path = args[0].substr(1);
    if (ReadFile(path, text) != ReadResult::kOkay) {
      *err = "CAN'T READ COMMAND FILE '" + path + "'";
      return false;
    }
    return true;
  }
  *text = JoinArguments(args, 0);
  return true;
}

}  // namespace c51::sim
