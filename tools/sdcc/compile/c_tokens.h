// Cuts the preprocessor's output into C tokens, each with the file and line
// it came from, as the line markers tell:
//   # 1 "main.c"                the main file
//   # 1 "inc/REG51.H" 1         entering a header (flag 1)
//   # 3 "main.c" 2              back in the includer (flag 2)
//   # 1 "/usr/.../stdint.h" 1 3 a system header (flag 3): sdcc's own
// Directive lines other than markers (#pragma) are kept apart, not tokenized.
// Tokens point into the text; the text must outlive them.
#ifndef C51_TOOLS_SDCC_COMPILE_C_TOKENS_H_
#define C51_TOOLS_SDCC_COMPILE_C_TOKENS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

enum class TokenKind { kWord, kNumber, kLiteral, kPunct };

struct Token {
  TokenKind kind = TokenKind::kPunct;
  size_t begin = 0;  // byte offsets into the text
  size_t end = 0;
  int file = 0;  // index into TokenList::files
  int line = 0;  // 1-based, in that file
  bool system = false;
};

// A directive line that is not a line marker, e.g. "#pragma SMALL".
struct Directive {
  size_t begin = 0;  // the "#" (or the blanks before it)
  size_t end = 0;    // the line end, not included
  int file = 0;
  int line = 0;
  bool system = false;
};

struct TokenList {
  std::vector<Token> tokens;
  std::vector<Directive> directives;
  std::vector<std::string> files;    // every file name a marker named; [0] "" before any marker
  std::string main_file;             // the first marker's file
  std::vector<std::string> headers;  // headers entered (flag 1), not system ones, no repeats
};

void Tokenize(std::string_view text, TokenList* list);

// Whether a line marker's `path` is the file sdcc's messages name `file`:
// the same, or ending in it after a separator ("/tmp/x/main.c", "main.c").
bool MarkerNamesFile(const std::string& path, const std::string& file);

// "0x90", "144", "0220", "0b1001", with u/U/l/L suffixes. False for anything
// else and for values above 32 bits.
bool ParseCInteger(std::string_view text, uint32_t* value);

inline bool IsWordByte(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
         u == '$';
}

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_C_TOKENS_H_
