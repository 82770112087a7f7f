// One source line cut into its code and its comments, so that neither an
// include in a comment nor a marker in code counts. The compiler's lines
// keep C's rules (a block comment may span lines); the assembler's end at
// ";" outside quotation marks.
#ifndef C51_TOOLS_SIM_SOURCE_LINES_H_
#define C51_TOOLS_SIM_SOURCE_LINES_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sim {

struct SplitLine {
  std::string code;  // comments replaced by one blank; literals kept
  std::vector<std::string> comments;
};

// `in_block` says whether the line starts inside a block comment, and on
// return whether the next one does:
//   "a /* b */ c // d" => code "a   c ", comments " b ", " d"
void SplitCLine(std::string_view line, bool* in_block, SplitLine* out);

//   "mov a,#';' ; note" => code "mov a,#';' ", comments " note"
void SplitAssemblyLine(std::string_view line, SplitLine* out);

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// The next word of `rest` (blanks and tabs separate), which then starts
// after it: "  #include <a.h>" => "#include", rest " <a.h>".
std::string_view NextWord(std::string_view* rest);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_SOURCE_LINES_H_
