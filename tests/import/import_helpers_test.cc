// The line and name rules the importers share, one table each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/uv2_parser.h"

namespace c51 {
namespace {

// Every line the reader hands out.
std::vector<std::string_view> ReadLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ProfileLineReader reader(text);
  for (std::string_view line; reader.Next(&line);) lines.push_back(line);
  return lines;
}

TEST(ImportHelpersTest, ProfileLines) {
  using Lines = std::vector<std::string_view>;
  std::string long_line(300, 'x');
  struct Row {
    std::string text;
    Lines lines;
  } rows[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\rb\n", {"a\rb"}},  // only the "\r" of a line end goes
      {"\n\r\n", {"", ""}},
      {long_line + "\nz", {std::string_view(long_line).substr(0, 255), "z"}},
      {long_line + "\r", {std::string_view(long_line).substr(0, 255)}},
      {"a\r\r\n", {"a\r"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 20));
    EXPECT_EQ(ReadLines(row.text), row.lines);
  }
}

TEST(ImportHelpersTest, CurrentTargetIndex) {
  struct Row {
    const char* text;
    int index;
  } rows[] = {
      {"", 0},
      {"OPTFL 1,4,0\nOPTFL 1,4,1\nOPTFL 1,4,0\n", 2},
      {"OPTFL 1,4,0\nOPTFL 1,4,0\nOPTFL 1,4,0\n", 3},      // none marked: the last
      {"OPTFL 1,4,0\n  \toptfl 1,4,1\nOPTFL 1,4,1\n", 2},  // blanks skipped, any case
      {"x OPTFL 1,4,1\nOPTFL 1,4,0\nOPTFL 1,4,1\n", 2},    // not at the line's start
      {"OPTFL 1,4,10\nOPTFL 1,4,1\n", 1},  // only the character after the "," counts
      {"OPTFL 1,1,0\nOPTFL 1,4,0\n", 2},   // the last "," decides
      {"OPTFL 1\nOPTFL 2,\n", 2},          // nothing after the ","
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(CurrentTargetIndex(row.text), row.index);
  }
}

// The reader's entries as "kind:number:text" ("key=text" for settings).
std::vector<std::string> Entries(std::string_view text, int current) {
  std::vector<std::string> out;
  Uv2ProjectReader reader(text, current);
  for (Uv2Entry entry; reader.Next(&entry);) {
    switch (entry.kind) {
      case Uv2Entry::Kind::kTarget:
        out.push_back("T:" + entry.text);
        break;
      case Uv2Entry::Kind::kGroup:
        out.push_back("G:" + entry.text);
        break;
      case Uv2Entry::Kind::kFile:
        out.push_back("F" + std::to_string(entry.number) + ":" + entry.text);
        break;
      case Uv2Entry::Kind::kOption:
        out.push_back(std::string(entry.key) + "=" + entry.text);
        break;
    }
  }
  return out;
}

TEST(ImportHelpersTest, Uv2ProjectEntries) {
  using Strings = std::vector<std::string>;
  struct Row {
    const char* text;
    int current;
    Strings entries;
  } rows[] = {
      {"Target (A (x)), 0x0000\ntarget (B)\nTarget C\nTarget )(\n",
       0,
       {"T:A (x)", "T:B"}},  // the last ")", any case; no brackets: no target
      {"Group (G1)\nGroup (G2\n", 0, {"G:G1"}},
      {"File 2,1,<.\\a.c><a.c>\nFile 12 ,1,<b>\nFile x,<c>\nFile 1,1,no path\n",
       0,
       {"F2:.\\a.c", "F12:b", "F0:c"}},
      {"File,<d>\n", 0, {"F-1:d"}},  // no blank: no group number
      // Only the current target's block is read; "EndOpt" ends it.
      {"Options 1,0,0\n OutDir (.\\o1\\)\nEndOpt\nOptions 2,0,0\n OutDir (.\\o2\\)\n"
       " OutName (n2)\n LstDir (.\\l2\\) (x)\nEndOpt\n OutName (after)\n",
       2,
       {"OutputDirectory=.\\o2\\", "OutputName=n2", "ListingDirectory=.\\l2\\"}},
      // A block of another target is read as ordinary lines.
      {"Options 1,0,0\nTarget (InBlock)\nEndOpt\n", 2, {"T:InBlock"}},
      // Without a current target no block is read, even one numbered 0.
      {"Options 0,0,0\nTarget (InBlock)\n OutDir (x)\nEndOpt\n", 0, {"T:InBlock"}},
      // A block without "EndOpt" runs to the end of the file.
      {"Options 1\n OutName (n)\nTarget (Swallowed)\n", 1, {"OutputName=n"}},
      // One line may set several keys, each to the first bracketed text.
      {"Options 1\n LstDir (l) OutDir (o)\nEndOpt\nFile 2,<f>\n",
       1,
       {"OutputDirectory=l", "ListingDirectory=l", "F2:f"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Entries(row.text, row.current), row.entries);
  }
}

}  // namespace
}  // namespace c51
