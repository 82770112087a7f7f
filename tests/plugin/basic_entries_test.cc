#include "plugin/basic_entries.h"

#include <gtest/gtest.h>

#include <cstring>

#include "plugin/state.h"

namespace c51::test {
namespace {

TEST(BasicEntriesTest, DriverSettingsAreStoredAndReplaced) {
  PluginState state;
  SetDriverSetting(&state, "c:\\keil\\c51\\bin\\mon51.dll", "-S1 -B57600");
  SetDriverSetting(&state, "c:\\keil\\c51\\bin\\mon51.dll", "-S2");
  SetDriverSetting(&state, "other.dll", nullptr);
  SetDriverSetting(&state, nullptr, "ignored");
  ASSERT_EQ(state.driver_settings.size(), 2u);
  EXPECT_EQ(state.driver_settings["c:\\keil\\c51\\bin\\mon51.dll"], "-S2");
  EXPECT_EQ(state.driver_settings["other.dll"], "");
}

// Without a host record the destination keeps its bytes except the path.
TEST(BasicEntriesTest, DebugRecordWithoutAHostRecord) {
  PluginState state;
  state.output_dir = "C:\\p\\Debug\\";
  state.output_name = "blinky";
  DebugOptionRecord record{};
  record.driver_index = 5;
  ASSERT_EQ(GetDebugRecord(&state, &record), 1);
  EXPECT_STREQ(record.output_path, "C:\\p\\Debug\\blinky");
  EXPECT_EQ(record.driver_index, 5);
}

}  // namespace
}  // namespace c51::test
