#include "project/debug_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace c51 {
namespace {

TEST(DebugRecordTest, DriverTextStopsAtItsFieldWhenUnterminated) {
  auto record = std::make_unique<DebugOptionRecord>();
  std::memset(record.get(), 0, sizeof *record);
  std::strcpy(record->driver_text, "Mon51(COM1)");
  EXPECT_EQ(DriverText(*record), "Mon51(COM1)");

  // The host filled the field to its last byte; the output path follows.
  std::memset(record->driver_text, 'D', sizeof record->driver_text);
  std::memset(record->output_path, 'P', sizeof record->output_path);
  EXPECT_EQ(DriverText(*record), std::string(2048, 'D'));
}

TEST(DebugRecordTest, FormatsTheSixWordsAndTheDriver) {
  auto record = std::make_unique<DebugOptionRecord>();
  std::memset(record.get(), 0, sizeof *record);
  *record = DebugOptionRecord{1, 2, 3, 4, 5, -6, {}, {}, 99};
  std::strcpy(record->driver_text, "S8051.DLL (a,b)");
  EXPECT_EQ(FormatDebugOptions(*record), "1,2,3,4,5,-6,(S8051.DLL (a,b))");
  record->driver_text[0] = '\0';
  EXPECT_EQ(FormatDebugOptions(*record), "1,2,3,4,5,-6,()");
}

}  // namespace
}  // namespace c51
