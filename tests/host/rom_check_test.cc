// Whether a build's program fits the part's program memory: the linker's
// size line read, the part's range read from its CPU text.
#include "host/rom_check.h"

#include <gtest/gtest.h>

#include <string>

namespace c51::host {
namespace {

TEST(RomCheck, ReadsTheLinkersSizeLine) {
  EXPECT_EQ(1534, ProgramCodeBytes("Program Size: data=9.0 xdata=0 code=1534"));
  EXPECT_EQ(0, ProgramCodeBytes("Program Size: data=8.0 xdata=0 code=0"));
  EXPECT_EQ(-1, ProgramCodeBytes("Program Size: data=9.0 xdata=0"));
  EXPECT_EQ(-1, ProgramCodeBytes("code=5 linking..."));
}

TEST(RomCheck, WarnsOnlyOfAProgramLargerThanThePartsMemory) {
  const struct {
    const char* cpu;
    long long code;
    const char* warning;  // part of it; empty: none
  } rows[] = {
      {"CPU=IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(12000000)", 5137,
       "the program's 5137 bytes of code do not fit AT89C51's 4096 bytes of program memory "
       "(IROM(0-0xFFF))"},
      {"CPU=IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(12000000)", 4096, ""},
      {"CPU=IRAM(0-0xFF) IROM(0x0000-0x1FFF)", 8193, "8192 bytes"},
      {"CPU=IRAM(0-0xFF) XRAM(0-0xFF)", 70000, ""},  // no on-chip program memory named
      {"CPU=IROM(0-0xFFF", 9000, ""},                // unreadable
      {"CPU=IROM(0-0xFFF)", -1, ""},                 // no size line came
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cpu);
    const DeviceInfo device{"Atmel", "AT89C51", {"VENDOR=Atmel", row.cpu}};
    const std::string warning = RomOverflowWarning(device, row.code);
    if (*row.warning == '\0') {
      EXPECT_EQ("", warning);
    } else {
      EXPECT_NE(std::string::npos, warning.find(row.warning)) << warning;
    }
  }
}

}  // namespace
}  // namespace c51::host
