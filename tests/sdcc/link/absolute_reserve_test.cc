// The linker's module that keeps relocatable variables off those placed at
// fixed addresses.
#include <gtest/gtest.h>

#include "sdcc/link/absolute_variables.h"

namespace c51::sdcc {
namespace {

const c51::sim::LinkInput kMainObj{"main.obj", c51::sim::kCommonArea};
const c51::sim::LinkInput kLcdObj{"lcd.obj", c51::sim::kCommonArea};

LinkModule Module(const c51::sim::LinkInput* input, const char* name,
                  std::vector<RelAbsolute> absolutes) {
  LinkModule m;
  m.input = input;
  m.module.name = name;
  m.module.absolutes = std::move(absolutes);
  return m;
}

// "0030-0031 _keep (main.obj (MAIN)), ..." for a plan's ranges.
std::string Ranges(const std::vector<AbsoluteRange>& ranges) {
  std::string out;
  for (const AbsoluteRange& r : ranges) {
    char text[32];
    snprintf(text, sizeof text, "%04X-%04X ", r.start, r.end);
    out += (out.empty() ? "" : ", ") + std::string(text) + r.symbol + " (" + r.module + ")";
  }
  return out;
}

TEST(AbsoluteReserve, OneRangePerRunOfPlacedBytesInEachSpace) {
  const std::vector<LinkModule> modules = {
      Module(&kMainObj, "MAIN",
             {{'D', 0x30, 1, "_keep"},
              {'I', 0x31, 2, "_next"},
              {'I', 0xF8, 16, "_tail"},
              {'X', 0x8000, 1, "_LCD"},
              {'X', 0x0100, 12, "_pairs"}}),
      Module(&kLcdObj, "LCD", {{'X', 0x8000, 1, "_LCD"}, {'X', 0x0104, 2, "_half"}}),
      Module(&kLcdObj, "UNUSED", {{'D', 0x50, 4, "_gone"}}),
  };
  const AbsolutePlan plan = PlanAbsoluteVariables(modules, {true, true, false});
  EXPECT_EQ(Ranges(plan.internal),
            "0030-0033 _keep (main.obj (MAIN)), 00F8-0100 _tail (main.obj (MAIN))");
  EXPECT_EQ(Ranges(plan.external),
            "0100-010C _pairs (main.obj (MAIN)), 8000-8001 _LCD (main.obj (MAIN))");
  EXPECT_EQ(plan.source,
            "; The variables placed at fixed addresses, kept clear by the linker.\n"
            "\t.module\t__absolute\n"
            "\t.area\tIABS (ABS,DATA)\n\t.org\t0x0030\n\t.ds\t3\n\t.org\t0x00F8\n\t.ds\t8\n"
            "\t.area\tXABS (ABS,XDATA)\n\t.org\t0x0100\n\t.ds\t12\n\t.org\t0x8000\n\t.ds\t1\n");
  EXPECT_TRUE(AbsoluteInputsChanged(modules, {true, true, false}, {true, true, true}));
  EXPECT_FALSE(AbsoluteInputsChanged(modules, {true, true, false}, {true, true, false}));

  EXPECT_EQ(PlanAbsoluteVariables({Module(&kMainObj, "MAIN", {})}, {true}).source, "");
}

}  // namespace
}  // namespace c51::sdcc
