#include "sdcc/link/link_controls.h"

#include <gtest/gtest.h>

#include "sdcc/link/runtime_library.h"

namespace c51::sdcc {
namespace {

using Strings = std::vector<std::string>;

// The messages as "<W|E><code> <first detail>" for short table rows.
Strings Summaries(const LinkControls& mapped) {
  Strings out;
  for (const LinkMessage& m : mapped.messages) {
    std::string row = (m.kind == LinkMessage::kWarning ? "W" : "E") + m.code;
    for (const std::string& detail : m.details) row += " " + detail;
    out.push_back(row);
  }
  return out;
}

TEST(LinkControls, MapsWhatSdccCanDoAndReportsTheRest) {
  const struct {
    const char* controls;
    Strings args;
    Strings messages;
  } kCases[] = {
      {"", {}, {}},
      {"\nRAMSIZE(128)\nCODE( 0x0000-0x1FFF )\n",
       {"--iram-size", "128", "--code-loc", "0x0000", "--code-size", "0x2000"},
       {}},
      {"XDATA( 0x8000-0xFFFF , ?XD?BUF(0x9000) )",
       {"--xram-loc", "0x8000", "--xram-size", "0x8000"},
       {"WL200 CONTROL: XDATA(0x8000-0xFFFF , ?XD?BUF(0x9000)) IGNORED: ?XD?BUF(0x9000)"}},
      {"CODE(0x100)", {"--code-loc", "0x0100", "--code-size", "0xFF00"}, {}},
      {"CODE( ?PR?MAIN )", {}, {"WL200 CONTROL: CODE(?PR?MAIN)"}},
      {"DATA( 0x30 ) IDATA(80H) STACK(0xC0)",
       {"--data-loc", "0x0030", "--idata-loc", "0x0080", "--stack-loc", "0x00C0"},
       {}},
      {"STACK(?STACK(0xC0)) PRECEDE(?DT?X) NAME(BLINKY)",
       {},
       {"WL200 CONTROL: STACK(?STACK(0xC0))", "WL200 CONTROL: PRECEDE(?DT?X)"}},
      {"BankArea(0x8000,0xFFFF)", {}, {"EL130 CONTROL: BANKAREA(0x8000,0xFFFF)"}},
      {"Rtx51Tiny", {}, {"EL200 CONTROL: RTX51TINY"}},
      {"RAMSIZE(300)", {}, {"EL200 CONTROL: RAMSIZE(300)"}},
      {"CODE(0x0-0x1FFFF)", {}, {"EL200 CONTROL: CODE(0x0-0x1FFFF)"}},
      {"DATA(0x90)", {}, {"EL200 CONTROL: DATA(0x90)"}},
      {"CODE", {}, {"EL200 REASON:  CONTROL 'CODE' NEEDS AN ARGUMENT"}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.controls);
    std::vector<c51::sim::Control> controls;
    std::string err;
    size_t offset;
    ASSERT_TRUE(c51::sim::ParseControls(c.controls, &controls, &err, &offset)) << err;
    const LinkControls mapped = MapLinkControls(controls);
    EXPECT_EQ(mapped.sdcc_args, c.args);
    EXPECT_EQ(Summaries(mapped), c.messages);
  }
}

TEST(LinkControls, DisabledWarningsAndModels) {
  std::vector<c51::sim::Control> controls;
  std::string err;
  size_t offset;
  ASSERT_TRUE(c51::sim::ParseControls("DISABLEWARNING (1, 200)", &controls, &err, &offset));
  EXPECT_EQ(MapLinkControls(controls).disabled_warnings, (std::vector<uint32_t>{1, 200}));

  const struct {
    const char* options;
    const char* model;
    Strings args;
  } kModels[] = {
      {"-mmcs51 --model-large --stack-auto", "SMALL", {"--model-large", "--stack-auto"}},
      {"-mmcs51 --model-medium", "", {"--model-medium"}},
      {"", "COMPACT", {"--model-medium"}},
      {"", "large", {"--model-large"}},
      {"", "", {"--model-small"}},
  };
  for (const auto& m : kModels) {
    EXPECT_EQ(ModelArguments(m.options, m.model), m.args) << m.options << "|" << m.model;
  }
}

TEST(RuntimeLibrary, KnowsTheModelsLibrariesByNameInAnyCaseAndFolder) {
  const struct {
    const char* path;
    bool runtime;
  } kCases[] = {
      {"C:/Keil/C51/LIB/C51S.LIB", true},
      {"C:\\Keil\\C51\\LIB\\c51fpl.lib", true},
      {"D:C51C.Lib", true},
      {"../lib/C51L.LIB", true},
      {"C51FPS.LIB", true},
      {"c51fpc.LIB", true},
      {"C:/Keil/C51/LIB/C51S.OBJ", false},
      {"C:/Keil/C51/LIB/MYC51S.LIB", false},
      {"C:/Keil/C51/LIB/C51X.LIB", false},
      {"C51S.LIB/driver.lib", false},
      {"C51FP.LIB", false},
      {"", false},
  };
  for (const auto& c : kCases) EXPECT_EQ(IsClassicRuntimeLibrary(c.path), c.runtime) << c.path;
}

}  // namespace
}  // namespace c51::sdcc
