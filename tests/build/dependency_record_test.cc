#include "build/dependency_record.h"

#include <gtest/gtest.h>

#include <string>

namespace c51 {
namespace {

using Names = std::vector<std::string>;

// One entry: type, five bytes the reader skips, name length, name.
std::string Entry(unsigned char type, const std::string& name) {
  std::string entry(1, static_cast<char>(type));
  entry += "\x11\x22\x33\x44\x55";
  entry += static_cast<char>(name.size());
  return entry + name;
}

// A body whose entries start after `lead` bytes of its own (body[0] = lead).
std::string Body(unsigned char lead, const std::string& entries) {
  return std::string(1, static_cast<char>(lead)) + std::string(lead, '\x7E') + entries;
}

// Header with `length` (the body's own size unless given), then the body.
std::string Record(const std::string& body, int length = -1) {
  size_t n = length < 0 ? body.size() : static_cast<size_t>(length);
  std::string record = "\x70";
  record += static_cast<char>(n & 0xFF);
  record += static_cast<char>(n >> 8);
  record += '\xFF';
  return record + body;
}

Names NamesOf(const DependencyRecord& record) {
  return Names(record.includes.begin(), record.includes.end());
}

const std::string kTypical = Body(3, Entry(0x10, "MAIN.C") + Entry(2, "C:\\C51\\INC\\REG51.H") +
                                         Entry(2, "util.h") + Entry(3, "x") + Entry(2, "late.h"));

TEST(DependencyRecordTest, ReadsTheFirstRunOfIncludeEntries) {
  struct Row {
    const char* name;
    std::string bytes;
    RecordStatus status;
    Names includes;
  };
  const std::string big_name(255, 'h');
  const Row rows[] = {
      {"typical, with the rest of the object after it",
       Record(kTypical) + Entry(2, "after the record"),
       RecordStatus::kRead,
       {"C:\\C51\\INC\\REG51.H", "util.h"}},
      {"include entries first",
       Record(Body(0, Entry(2, "a.h") + Entry(2, "b.h"))),
       RecordStatus::kRead,
       {"a.h", "b.h"}},
      {"longest name and an empty one",
       Record(Body(0, Entry(2, big_name) + Entry(2, "") + Entry(2, "c.h"))),
       RecordStatus::kRead,
       {big_name, "", "c.h"}},
      {"GBK bytes pass",
       Record(Body(0, Entry(2, "\xD6\xD0\xCE\xC4.h"))),
       RecordStatus::kRead,
       {"\xD6\xD0\xCE\xC4.h"}},
      {"no include entries",
       Record(Body(0, Entry(1, "MAIN.C") + Entry(3, "x"))),
       RecordStatus::kRead,
       {}},
      {"empty body", Record(""), RecordStatus::kRead, {}},
      {"entries start at the body's end",
       Record(Body(0, "")) + std::string(9, '\x02'),
       RecordStatus::kRead,
       {}},
      {"lead byte past the body",
       Record(std::string(1, '\xF0') + Entry(2, "a.h")),
       RecordStatus::kRead,
       {}},
      // Fewer than 7 bytes left end the run.
      {"short tail",
       Record(Body(0, Entry(2, "a.h") + "\x02\x00\x00\x00\x00\x00")),
       RecordStatus::kRead,
       {"a.h"}},
      // A name running past the body is not a name the compiler wrote.
      {"name past the body",
       Record(Body(0, Entry(2, "a.h") + Entry(2, "bcdef")), 20),
       RecordStatus::kRead,
       {"a.h"}},
      {"skipped entry's length past the body",
       Record(Body(0, "\x01\x00\x00\x00\x00\x00\xFF" + Entry(2, "a.h"))),
       RecordStatus::kRead,
       {}},
      {"body shorter than its length",
       Record(kTypical, static_cast<int>(kTypical.size()) + 1),
       RecordStatus::kTruncated,
       {}},
      {"length 0xFFFF, nothing after", Record("", 0xFFFF), RecordStatus::kTruncated, {}},
      {"no record mark", "\x70\x05\x00\xFE" + Body(0, Entry(2, "a.h")), RecordStatus::kNone, {}},
      {"other record type", "\x80\x05\x00\xFF" + Body(0, Entry(2, "a.h")), RecordStatus::kNone, {}},
      {"three bytes", std::string("\x70\x00\x00", 3), RecordStatus::kNone, {}},
      {"empty file", "", RecordStatus::kNone, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DependencyRecord record = ReadDependencyRecord(row.bytes);
    EXPECT_EQ(row.status, record.status);
    EXPECT_EQ(row.includes, NamesOf(record));
  }
}

TEST(DependencyRecordTest, EveryCutOfARecordIsTruncatedNotMisread) {
  const std::string whole = Record(kTypical);
  for (size_t size = 0; size <= whole.size(); ++size) {
    SCOPED_TRACE(size);
    // A copy of exactly that size, so that a read past it is a real fault
    // under the address sanitizer.
    const std::string cut = whole.substr(0, size);
    DependencyRecord record = ReadDependencyRecord(cut);
    if (size < 4) {
      EXPECT_EQ(RecordStatus::kNone, record.status);
    } else if (size < whole.size()) {
      EXPECT_EQ(RecordStatus::kTruncated, record.status);
      EXPECT_TRUE(record.includes.empty());
    } else {
      EXPECT_EQ(RecordStatus::kRead, record.status);
      EXPECT_EQ((Names{"C:\\C51\\INC\\REG51.H", "util.h"}), NamesOf(record));
    }
  }
}

}  // namespace
}  // namespace c51
