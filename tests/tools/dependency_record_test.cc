#include "sim/dependency_record.h"

#include <gtest/gtest.h>

#include "tools/record_reader.h"

namespace c51::sim {
namespace {

TEST(DependencyRecordTest, ReadsBackAsTheBuildReadsIt) {
  const std::vector<DependencyEntry> entries = {
      {kSourceEntry, 1700000000, "/p/src/main.c"},
      {kIncludeEntry, 1700000001, "/p/inc/a.h"},
      {kIncludeEntry, 0, "/opt/c51/INC/REG51.H"},
  };
  int dropped = -1;
  const std::string record = BuildDependencyRecord("C51", entries, &dropped);
  EXPECT_EQ(0, dropped);
  const ReadBack back = ReadRecord(record + "SIMOBJ 1\n");
  ASSERT_TRUE(back.ok);
  EXPECT_EQ((std::vector<uint8_t>{1, 2, 2}), back.types);
  EXPECT_EQ((std::vector<std::string>{"/p/inc/a.h", "/opt/c51/INC/REG51.H"}), back.headers);
  // The time sits in the five skipped bytes, little-endian.
  const size_t first_entry = 4 + 1 + 3;
  EXPECT_EQ(0x00, static_cast<uint8_t>(record[first_entry + 1]));  // 1700000000 = 0x6553F100
  EXPECT_EQ(0xF1, static_cast<uint8_t>(record[first_entry + 2]));
  EXPECT_EQ(0x53, static_cast<uint8_t>(record[first_entry + 3]));
  EXPECT_EQ(0x65, static_cast<uint8_t>(record[first_entry + 4]));
  size_t end = 0;
  ASSERT_TRUE(SkipDependencyRecord(record + "tail", &end));
  EXPECT_EQ(record.size(), end);
}

TEST(DependencyRecordTest, LeavesOutNamesThatDoNotFit) {
  std::vector<DependencyEntry> entries = {{kSourceEntry, 0, "main.c"}};
  entries.push_back({kIncludeEntry, 0, std::string(255, 'a')});  // fits exactly
  entries.push_back({kIncludeEntry, 0, std::string(256, 'b')});  // one byte too long
  entries.push_back({kIncludeEntry, 0, "c.h"});
  int dropped = 0;
  ReadBack back = ReadRecord(BuildDependencyRecord("C51", entries, &dropped));
  ASSERT_TRUE(back.ok);
  EXPECT_EQ(1, dropped);
  EXPECT_EQ((std::vector<std::string>{std::string(255, 'a'), "c.h"}), back.headers);

  // 300 names of 250 bytes need about 77 KB: the body stops below 64 KB.
  entries.assign(1, {kSourceEntry, 0, "main.c"});
  for (int i = 0; i < 300; ++i) entries.push_back({kIncludeEntry, 0, std::string(250, 'h')});
  const std::string record = BuildDependencyRecord("C51", entries, &dropped);
  back = ReadRecord(record);
  ASSERT_TRUE(back.ok);
  EXPECT_LE(record.size() - 4, kMaxRecordBody);
  EXPECT_EQ(300u, back.headers.size() + static_cast<size_t>(dropped));
  EXPECT_GT(dropped, 0);
}

TEST(DependencyRecordTest, SkipsOnlyWhatIsThere) {
  size_t end = 99;
  EXPECT_TRUE(SkipDependencyRecord("SIMOBJ 1\n", &end));  // no record: starts at 0
  EXPECT_EQ(0u, end);
  EXPECT_TRUE(SkipDependencyRecord(std::string("\x70\x01\x00\x01", 4), &end));  // byte 3 not 0xFF
  EXPECT_EQ(0u, end);
  const std::string record = BuildDependencyRecord("A51", {{kSourceEntry, 0, "x.a51"}}, nullptr);
  for (size_t n = 4; n < record.size(); ++n) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(SkipDependencyRecord(record.substr(0, n), &end));
  }
}

}  // namespace
}  // namespace c51::sim
