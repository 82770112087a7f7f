// The preprocessed text as the dialect passes read and change it: its
// tokens, the bracket each bracket pairs with, which "{" opens a function
// body, and the edits and issues the passes collect. Edits are applied
// together at the end, so every pass reads the tokens as the user wrote
// them; an edit never adds or removes a line end, so sdcc's messages keep
// pointing at the user's lines.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_SOURCE_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_SOURCE_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sdcc/compile/c_tokens.h"
#include "sdcc/compile/dialect_rewriter.h"

namespace c51::sdcc {

struct Edit {
  size_t begin;  // byte offsets into the text; begin == end inserts
  size_t end;
  std::string text;
};

class DialectSource {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  DialectSource(std::string_view text, const TokenList& list, std::vector<DialectIssue>* issues);

  std::string_view text() const { return text_; }
  size_t size() const { return tokens_.size(); }
  const Token& token(size_t i) const { return tokens_[i]; }
  std::string_view At(size_t i) const {
    return i < tokens_.size() ? text_.substr(tokens_[i].begin, tokens_[i].end - tokens_[i].begin)
                              : std::string_view();
  }
  bool Is(size_t i, std::string_view s) const { return i < tokens_.size() && At(i) == s; }
  bool IsWord(size_t i) const { return i < tokens_.size() && tokens_[i].kind == TokenKind::kWord; }
  bool IsNumber(size_t i) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::kNumber;
  }
  // A string literal: "..." (a character constant is a number to C).
  bool IsString(size_t i) const {
    return i < tokens_.size() && tokens_[i].kind == TokenKind::kLiteral && At(i)[0] == '"';
  }
  // Written by the user: not from sdcc's own headers.
  bool User(size_t i) const { return i < tokens_.size() && !tokens_[i].system; }
  const std::string& FileOf(size_t i) const { return files_[tokens_[i].file]; }
  const std::vector<std::string>& files() const { return files_; }

  // The bracket that pairs with the one at `i`, for ( ) [ ] { }; kNone for
  // other tokens and for brackets without a mate.
  size_t Mate(size_t i) const { return i < mates_.size() ? mates_[i] : kNone; }
  // The "{" of the function body that holds token `i`; kNone at file scope.
  size_t BodyOf(size_t i) const { return i < body_of_.size() ? body_of_[i] : kNone; }
  bool IsBodyOpen(size_t i) const { return Is(i, "{") && BodyOf(i) == i; }

  // The comma-separated items between the bracket at `open` and its mate,
  // each [first, last): a call's arguments, a parameter list. None for "()".
  std::vector<std::pair<size_t, size_t>> Items(size_t open) const;

  // The tokens [first, last) joined by single blanks.
  std::string Join(size_t first, size_t last) const;

  // Tokens [first, last) become `text`; their line ends stay.
  void Replace(size_t first, size_t last, std::string text);
  void InsertBefore(size_t i, std::string text);
  void InsertAfter(size_t i, std::string text);
  void InsertAtOffset(size_t offset, std::string text);
  // Text for the main file's first line (helpers the file's code calls):
  // after the first line marker, which is written again after it, so every
  // user line keeps its number.
  void InsertOnFirstLine(const std::string& text);
  // The text of tokens [first, last) with the edits made so far inside it,
  // on one line, for a caller that moves it and replaces the range: those
  // edits are taken out. Insertions at either end stay where they are.
  std::string Take(size_t first, size_t last);
  // The same text, the edits left in place.
  std::string Copy(size_t first, size_t last) const;
  void Issue(size_t i, std::string text);
  void Issue(int file, int line, std::string text);
  std::vector<Edit>* edits() { return &edits_; }

  // The text with every edit made. Edits that overlap an earlier one are
  // dropped: they cannot come from valid input.
  void Apply(std::string* out);

 private:
  void FindMates();
  void FindBodies();

  std::string_view text_;
  const std::vector<Token>& tokens_;
  const std::vector<std::string>& files_;
  std::vector<DialectIssue>* issues_;
  std::vector<size_t> mates_;
  std::vector<size_t> body_of_;
  std::vector<Edit> edits_;
};

// The file's typedefs of plain words ("typedef unsigned char u8;", "typedef
// char *PSTR;"): name => the words of the type, a typedef of a typedef given
// by the words it stands for. Typedefs of structs, arrays and functions are
// not in it.
using TypedefWords = std::map<std::string, std::vector<std::string>, std::less<>>;
TypedefWords PlainTypedefs(const DialectSource& source);

// Every word a typedef may declare, for telling a type's name from any
// other: the words of each typedef but C's own and what its braces hold
// ("typedef struct { int x; } POINT, *PPOINT;" gives POINT and PPOINT).
// More than the names when a typedef uses other typedefs, never fewer.
std::set<std::string, std::less<>> TypedefNames(const DialectSource& source);

// A word that is part of a type: "unsigned", "char", "struct", "const", a
// memory type in either spelling ("xdata", "__xdata").
bool IsTypeWord(std::string_view word);

// The original compiler's memory and bit words as sdcc spells them
// ("xdata" => "__xdata", "bit" => "__bit"); any other word as it is.
std::string SdccMemoryWord(std::string_view word);

// Names a constant expression may use (sfr names, enumeration constants);
// false for a name it does not know.
using ConstantLookup = std::function<bool(std::string_view name, uint32_t* value)>;

// The integer constant expression in tokens [first, last): literals,
// character constants, names `lookup` knows, + - * / % << >> & | ^ ~ and
// parentheses, in 32 bits. False on anything else (other names, casts,
// division by zero).
bool EvaluateConstant(const DialectSource& source, size_t first, size_t last,
                      const ConstantLookup& lookup, uint32_t* value);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_SOURCE_H_
