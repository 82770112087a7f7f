// The device table read the way the plug-in reads a device record: every
// row's CPU text parses into sensible memory ranges and a clock, names
// are unique, and every header is one the toolchain ships or one of the
// vendor kits' headers the table means to name.
#include "devices/device_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "devices/device_catalog.h"
#include "options/cpu_text.h"
#include "settings/pages/device_page.h"

namespace c51::devices {
namespace {

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

// The features the plug-in reads; any other word is a typing error here.
bool KnownFeature(std::string_view word) {
  for (std::string_view key : {"IRAM(", "XRAM(", "IROM(", "CLOCK("}) {
    if (word.substr(0, key.size()) == key && word.back() == ')') return true;
  }
  return false;
}

TEST(DeviceTableTest, HoldsEnoughDistinctlyNamedDevices) {
  EXPECT_GE(DeviceRows().size(), 60u);
  std::set<std::string> names;
  for (const DeviceRow& row : DeviceRows()) {
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(names.insert(Upper(row.name)).second) << "named twice";
    EXPECT_NE(std::string_view(row.vendor), "");
    // The selection finds each row under its own name.
    EXPECT_EQ(FindDevice(row.name), &row);
  }
}

TEST(DeviceTableTest, EveryCpuTextReadsAsMemoryAndClock) {
  for (const DeviceRow& row : DeviceRows()) {
    SCOPED_TRACE(std::string(row.name) + ": " + row.cpu);
    const std::string cpu = row.cpu;
    // Blank-separated words, each a complete feature.
    size_t begin = 0;
    while (begin < cpu.size()) {
      size_t end = cpu.find(' ', begin);
      if (end == std::string::npos) end = cpu.size();
      EXPECT_TRUE(KnownFeature(std::string_view(cpu).substr(begin, end - begin)));
      begin = end + 1;
    }
    int64_t start = -1, last = -1;
    // IRAM: 64, 128 or 256 bytes from 0, the same in both readings.
    ASSERT_TRUE(ReadCpuRange(cpu, "IRAM", &start, &last));
    EXPECT_EQ(start, 0);
    const int64_t ram = OnChipRamSize(cpu, NumberNotation::kAutoBase);
    EXPECT_TRUE(ram == 64 || ram == 128 || ram == 256) << ram;
    EXPECT_EQ(OnChipRamSize(cpu, NumberNotation::kAssembler), ram);
    // IROM: whole kilobytes from 0 within the 64K code space.
    if (ReadCpuRange(cpu, "IROM", &start, &last)) {
      EXPECT_EQ(start, 0);
      EXPECT_LE(last, 0xFFFF);
      EXPECT_EQ((last + 1) % 1024, 0);
    } else {
      EXPECT_EQ(cpu.find("IROM"), std::string::npos);
    }
    // XRAM: whole pages, from 0 or up to the top of the space (the 517A's
    // sits at 0xF800-0xFFFF).
    if (ReadCpuRange(cpu, "XRAM", &start, &last)) {
      EXPECT_TRUE(start == 0 || last == 0xFFFF) << start << "-" << last;
      EXPECT_EQ(start % 256, 0);
      EXPECT_LE(last, 0xFFFF);
      EXPECT_EQ((last + 1) % 256, 0);
    } else {
      EXPECT_EQ(cpu.find("XRAM"), std::string::npos);
    }
    const int hertz = settings::DeviceClockHertz(cpu);
    EXPECT_GE(hertz, 1000000);
    EXPECT_LE(hertz, 100000000);
  }
}

TEST(DeviceTableTest, HeadersAreShippedOrTheVendorKitsOwn) {
  // The headers of parts the toolchain has no header for; users take them
  // from the vendor's kit.
  const std::set<std::string> vendor_headers = {
      "AT89C51XD2.H", "STC8A8K64S4A12.H", "N76E003.H",   "CH552.H",     "CH554.H",
      "CH559.H",      "C8051F000.H",      "C8051F020.H", "C8051F040.H", "C8051F300.H",
      "C8051F310.H",  "C8051F320.H",      "C8051F330.H", "C8051F340.H", "C8051F350.H",
      "C8051F380.H",  "C8051F410.H",      "C8051F500.H", "C8051F520.H", "EFM8BB1.H",
      "EFM8BB2.H",    "EFM8BB3.H",        "EFM8LB1.H",   "EFM8UB1.H",   "EFM8UB2.H",
      "EFM8SB1.H",    "EFM8SB2.H",        "P89V51RD2.H",
  };
  // The names as the folder spells them: a header named in another case
  // is not found on a system that tells case apart.
  std::set<std::string> shipped;
  for (const auto& entry : std::filesystem::directory_iterator(C51_SHIPPED_HEADERS))
    shipped.insert(entry.path().filename().string());
  ASSERT_EQ(shipped.count("REG51.H"), 1u) << C51_SHIPPED_HEADERS;
  for (const DeviceRow& row : DeviceRows()) {
    SCOPED_TRACE(std::string(row.name) + ": " + row.header);
    EXPECT_TRUE(shipped.count(row.header) != 0 || vendor_headers.count(row.header) != 0);
    // The plug-in takes a "(<folder>)" in the header text for an include
    // folder; a plain name must not look like one.
    EXPECT_EQ(std::string_view(row.header).find('('), std::string_view::npos);
  }
}

TEST(DeviceTableTest, HasTheCommonFamilies) {
  struct Case {
    const char* name;
    const char* vendor;
  } cases[] = {
      {"8051", "Intel"},
      {"8052", "Intel"},
      {"AT89C51", "Atmel"},
      {"AT89C52", "Atmel"},
      {"AT89S51", "Atmel"},
      {"AT89S52", "Atmel"},
      {"AT89C2051", "Atmel"},
      {"AT89C51RC", "Atmel"},
      {"AT89C51RD2", "Atmel"},
      {"AT89C51ED2", "Atmel"},
      {"STC89C52RC", "STC"},
      {"STC12C5A60S2", "STC"},
      {"STC12C5202AD", "STC"},
      {"STC12C2052AD", "STC"},
      {"STC12C5410AD", "STC"},
      {"STC11F04E", "STC"},
      {"T89C51CC01", "Atmel"},
      {"ADuC831", "Analog Devices"},
      {"ADuC842", "Analog Devices"},
      {"STC15F2K60S2", "STC"},
      {"STC15W4K32S4", "STC"},
      {"STC8H1K08", "STC"},
      {"STC8G1K08", "STC"},
      {"STC8A8K64S4A12", "STC"},
      {"N76E003", "Nuvoton"},
      {"CH552", "WCH"},
      {"CH554", "WCH"},
      {"CH559", "WCH"},
      {"C8051F020", "Silicon Labs"},
      {"C8051F340", "Silicon Labs"},
      {"EFM8BB10F8G", "Silicon Labs"},
      {"EFM8UB10F16G", "Silicon Labs"},
      {"SAB 80C517", "Infineon"},
      {"SAB 80C517A", "Infineon"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DeviceRow* row = FindDevice(c.name);
    ASSERT_NE(row, nullptr);
    EXPECT_STREQ(row->vendor, c.vendor);
  }
}

}  // namespace
}  // namespace c51::devices
