// Finding devices by name, by pattern and by a near miss, and the record
// texts a device becomes.
#include "devices/device_catalog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace c51::devices {
namespace {

std::vector<std::string> Names(const std::vector<const DeviceRow*>& rows) {
  std::vector<std::string> names;
  for (const DeviceRow* row : rows) names.emplace_back(row->name);
  return names;
}

TEST(DeviceCatalogTest, FindsANameInAnyCase) {
  ASSERT_NE(FindDevice("stc89c52rc"), nullptr);
  EXPECT_STREQ(FindDevice("stc89c52rc")->name, "STC89C52RC");
  EXPECT_STREQ(FindDevice("At89S52")->vendor, "Atmel");
  EXPECT_EQ(FindDevice("STC89C52"), nullptr);  // a prefix is not the name
  EXPECT_EQ(FindDevice(""), nullptr);
  EXPECT_EQ(FindDevice("STC89C52RC "), nullptr);
}

TEST(DeviceCatalogTest, PatternsSelectByPartOrByGlob) {
  using V = std::vector<std::string>;
  struct Case {
    const char* pattern;
    V names;
  } cases[] = {
      // Part of the name, any case.
      {"c52",
       {"80C52", "AT89C52", "STC89C52RC", "STC12C5201AD", "STC12C5202AD", "STC12C5204AD",
        "STC12C5206AD"}},
      {"ch55", {"CH552", "CH554", "CH559"}},
      // Part of the vendor.
      {"nuvo", {"N76E003"}},
      // A glob covers the whole name.
      {"stc8h*", {"STC8H1K08", "STC8H1K17", "STC8H3K64S4", "STC8H8K64U"}},
      {"CH55?", {"CH552", "CH554", "CH559"}},
      {"*51RC", {"AT89C51RC", "STC89C51RC"}},
      {"*c51?d2", {"AT89C51RD2", "AT89C51ED2", "AT89C51ID2"}},
      {"8?5?", {"8051", "8052"}},
      {"CH5", {"CH552", "CH554", "CH559"}},
      {"CH5*2", {"CH552"}},
      {"CH5?", {}},  // "?" is exactly one character
      {"nothing-like-it", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(Names(MatchDevices(c.pattern)), c.names);
  }
  EXPECT_EQ(MatchDevices("").size(), DeviceRows().size());
  EXPECT_EQ(MatchDevices("*").size(), DeviceRows().size());
}

TEST(DeviceCatalogTest, CloseNamesForANearMiss) {
  using V = std::vector<std::string>;
  struct Case {
    const char* name;
    V close;
  } cases[] = {
      // Two letters swapped: one edit; then two edits, in table order.
      {"AT89S25", {"AT89S52", "AT89C52", "AT89S51"}},
      // A name begun comes before one as near by edits (AT89C52: two).
      {"stc89c52", {"STC89C52RC", "AT89C52", "AT89C51"}},
      {"STC15W4K", {"STC15W4K32S4", "STC15W4K56S4", "STC15W204S"}},
      {"N76E03", {"N76E003"}},
      {"CH553", {"CH552", "CH554", "CH559"}},
      {"zzzzzzzzzzzz", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CloseDeviceNames(c.name), c.close);
  }
  EXPECT_EQ(CloseDeviceNames("CH553", 1), V{"CH552"});
}

TEST(DeviceCatalogTest, PropertiesAreTheCpuTextAndTheHeader) {
  const DeviceRow* row = FindDevice("N76E003");
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(DeviceProperties(*row),
            (std::vector<std::string>{std::string("CPU=") + row->cpu, "REGFILE=N76E003.H"}));
}

}  // namespace
}  // namespace c51::devices
