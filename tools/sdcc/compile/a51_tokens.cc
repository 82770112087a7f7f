#include "sdcc/compile/a51_tokens.h"

#include <cstdint>

#include "sim/controls.h"

namespace c51::sdcc {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsName(char c) {
  return IsLetter(c) || c == '_' || c == '?';
}

bool InName(char c) {
  return StartsName(c) || IsDigit(c);
}

// The value of `digits` in `radix`; false on a digit outside it or above 32 bits.
bool ParseDigits(std::string_view digits, uint32_t radix, uint32_t* value) {
  if (digits.empty()) return false;
  uint64_t v = 0;
  for (char c : digits) {
    uint32_t d = 0;
    if (IsDigit(c)) {
      d = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      d = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      d = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      return false;
    }
    if (d >= radix) return false;
    v = v * radix + d;
    if (v > 0xFFFFFFFFu) return false;
  }
  *value = static_cast<uint32_t>(v);
  return true;
}

}  // namespace

bool A51Token::IsWord(std::string_view upper) const {
  return kind == kName && sim::ToUpper(text) == upper;
}

bool ParseA51Number(std::string_view text, uint32_t* value) {
  if (text.empty() || !IsDigit(text[0])) return false;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ParseDigits(text.substr(2), 16, value);
  }
  const char last = static_cast<char>(text.back() & ~0x20);  // upper case
  const std::string_view body = text.substr(0, text.size() - 1);
  switch (last) {
    case 'H':
      return ParseDigits(body, 16, value);
    case 'B':
      return ParseDigits(body, 2, value);
    case 'O':
    case 'Q':
      return ParseDigits(body, 8, value);
    case 'D':
      return ParseDigits(body, 10, value);
    default:
      return ParseDigits(text, 10, value);
  }
}

bool TokenizeA51(std::string_view code, std::vector<A51Token>* tokens, std::string* err) {
  tokens->clear();
  size_t i = 0;
  while (i < code.size()) {
    const char c = code[i];
    // Old sources end with the DOS end-of-file mark (Ctrl-Z).
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v' || c == '\x1A') {
      ++i;
      continue;
    }
    A51Token token;
    token.offset = i;
    if (StartsName(c) || IsDigit(c)) {
      token.kind = IsDigit(c) ? A51Token::kNumber : A51Token::kName;
      size_t end = i + 1;
      while (end < code.size() && InName(code[end])) ++end;
      token.text = std::string(code.substr(i, end - i));
      i = end;
    } else if (c == '\'' || c == '"') {
      token.kind = A51Token::kText;
      size_t at = i + 1;
      bool closed = false;
      while (at < code.size()) {
        if (code[at] == c) {
          if (at + 1 < code.size() && code[at + 1] == c) {
            token.text += c;
            at += 2;
            continue;
          }
          closed = true;
          ++at;
          break;
        }
        token.text += code[at++];
      }
      if (!closed) {
        *err = "TEXT WITHOUT ITS CLOSING QUOTE";
        return false;
      }
      i = at;
    } else {
      static constexpr std::string_view kPairs[] = {"<=", ">=", "<>", "<<", ">>"};
      token.text = std::string(1, c);
      for (std::string_view pair : kPairs) {
        if (code.substr(i, 2) == pair) token.text = std::string(pair);
      }
      if (std::string_view("()+-*/#@.,:=<>$!&|^~%").find(c) == std::string_view::npos) {
        *err = "CHARACTER '" + std::string(1, c) + "' IS NOT ALLOWED HERE";
        return false;
      }
      i += token.text.size();
    }
    tokens->push_back(std::move(token));
  }
  return true;
}

}  // namespace c51::sdcc
