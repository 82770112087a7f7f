#include "build/scan_format.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace c51 {
namespace {

// Every field as the C library's sscanf gives it, with buffers as long as
// the input so that it cannot overflow them here.
struct Oracle {
  int assigned;
  std::vector<ScanField> fields;
};

// `kinds`: one letter per assigned conversion of `format`, "s" or "d"; at
// most four.
Oracle LibraryScan(const std::string& input, const char* format, const std::string& kinds) {
  std::vector<std::vector<char>> texts(4, std::vector<char>(input.size() + 1, '\0'));
  int numbers[4] = {};
  void* args[4];
  for (size_t i = 0; i < 4; ++i) {
    args[i] = i < kinds.size() && kinds[i] == 'd' ? static_cast<void*>(&numbers[i])
                                                  : static_cast<void*>(texts[i].data());
  }
  Oracle oracle;
  oracle.assigned = std::sscanf(input.c_str(), format, args[0], args[1], args[2], args[3]);
  if (oracle.assigned < 0) oracle.assigned = 0;  // EOF before the first conversion
  for (int i = 0; i < oracle.assigned; ++i) {
    ScanField field;
    if (kinds[i] == 'd') {
      field.number = numbers[i];
    } else {
      field.text = texts[i].data();
    }
    oracle.fields.push_back(field);
  }
  return oracle;
}

TEST(ScanFormatTest, MatchesTheCLibrary) {
  struct Row {
    const char* format;
    const char* kinds;
    std::vector<std::string> inputs;
  };
  const std::vector<std::string> diagnostics = {
      "*** ERROR C202 IN LINE 12 OF MAIN.C: 'X': UNDEFINED IDENTIFIER",
      "*** WARNING C11 IN LINE 7 OF SRC\\UTIL.C: 'I': UNUSED",
      "*** ERROR #A45 IN 3 (C:\\P\\X.A51, LINE 3): UNDEFINED SYMBOL",
      "*** WARNING #A7 IN 7 (.\\X.A51, LINE 7): NO END",
      "***ERROR\tC1\tIN LINE 5 OF  A.C:X",
      "*** ERROR C1 IN LINE -5 OF A.C: X",
      "*** ERROR C1 IN LINE 4 OF A.C",
      "*** ERROR C1 IN LINE 4 OF A.C:",
      "*** ERROR C1 IN LINE 4 OF :X",
      "*** ERROR C1 (A, LINE 4)X",
      "*** ERROR C1 (A,4): X",
      "*** ERROR C1 (,LINE 4): X",
      "*** ERROR C1(A, L 4): T\nMORE",
      "*** ERROR 12",
      "*** ERROR",
      "*** ",
      "**",
      "",
      "   *** ERROR C1 IN LINE 4 OF A.C: X",
  };
  const Row rows[] = {
      {"*** ERROR%s%*[^0-9]%d%*s%[^:]:%[^\n]", "sdss", diagnostics},
      {"*** WARNING%s%*[^0-9]%d%*s%[^:]:%[^\n]", "sdss", diagnostics},
      {"*** ERROR%s%*[^(](%[^,],%*[^0-9]%d):%[^\n]", "ssds", diagnostics},
      {"*** WARNING%s%*[^(](%[^,],%*[^0-9]%d):%[^\n]", "ssds", diagnostics},
      {"%d %d%s", "dds", {" 12  -3x", "+7 +", "- 1", "12\t\n 4", "0x10"}},
      {"%[a-c]%[^a-c]%s", "sss", {"abcxyz b", "xyz", "cab \xC3\xA9z"}},
  };
  for (const Row& row : rows) {
    for (const std::string& input : row.inputs) {
      SCOPED_TRACE(std::string(row.format) + " <- " + input);
      Oracle expected = LibraryScan(input, row.format, row.kinds);
      std::vector<ScanField> fields;
      EXPECT_EQ(expected.assigned, ScanFormat(input, row.format, &fields));
      ASSERT_EQ(expected.fields.size(), fields.size());
      for (size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(expected.fields[i].text, fields[i].text) << i;
        EXPECT_EQ(expected.fields[i].number, fields[i].number) << i;
      }
    }
  }
}

}  // namespace
}  // namespace c51
