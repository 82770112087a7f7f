// Where a preprocessed text ends as the compiler counts its lines, for
// tests of the rewriters that must keep every user line where it was.
#ifndef C51_TESTS_SDCC_COMPILE_LINE_POSITION_H_
#define C51_TESTS_SDCC_COMPILE_LINE_POSITION_H_

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

namespace c51::sdcc {

// Where the text ends as the compiler counts lines: a "# N \"file\"" marker
// says the next line is line N of that file. The rewriter may add lines
// (helpers, markers) but must keep every user line where it was.
inline std::pair<std::string, int> EndPosition(std::string_view text) {
  std::string file;
  int line = 1;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) break;
    const std::string_view row = text.substr(start, end - start);
    int number = 0;
    char name[256] = {};
    if (std::sscanf(std::string(row).c_str(), "# %d \"%255[^\"]\"", &number, name) == 2) {
      file = name;
      line = number;
    } else {
      ++line;
    }
    start = end + 1;
  }
  return {file, line};
}

}  // namespace c51::sdcc

#endif  // C51_TESTS_SDCC_COMPILE_LINE_POSITION_H_
