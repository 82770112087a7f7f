#include "project/config_keys.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "project/node.h"
#include "recording_host.h"

namespace c51 {
namespace {

using Strings = std::vector<std::string>;

const char* Show(const char* text) {
  return text ? text : "<null>";
}

TEST(ConfigKeysTest, MemoryRangesFormatAndParse) {
  MemoryRanges ranges{};
  ranges[0] = {0x123456, 0x10000};
  ranges[2] = {0xFFFFFFFF, 0x80};  // the fourth byte is never written
  const char* text = "{ 0,86,52,18,0,0,0,1,0,0,0,0,0,0,0,0,0,0,0,255,255,255,0,128,0,0,0 }";
  EXPECT_EQ(FormatMemoryRanges(ranges), text);

  // clang-format off
  const struct { const char* text; bool ok; uint32_t start0, size0, start1, start2, size2; } cases[] = {
      {text, true, 0x123456, 0x10000, 0, 0xFFFFFF, 0x80},
      {nullptr, true, 0, 0, 0, 0, 0}, {"", true, 0, 0, 0, 0, 0}, {"{ 0,1 }", true, 1, 0, 0, 0, 0},
      {"{0,1,2,3,0,4", false, 0, 0, 0, 0, 0}, {"0,1,2,3 }", false, 0, 0, 0, 0, 0},
      {"{ 1 2 3 }", false, 0, 0, 0, 0, 0},
      // An empty field is a 0 of its own; each number keeps one byte.
      {"{ 0,,5 }", true, 0x500, 0, 0, 0, 0}, {"{ 0,256,-1,0,0,1x }", true, 0xFF00, 1, 0, 0, 0},
      {"{ 0,1,2 } ,9", true, 0x0201, 0, 0, 0, 0},
      // Fourth bytes are read; numbers past the 27th are not.
      {"{ 0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28 }", true,
       0x04030201, 0x08070605, 0x0D0C0B0A, 0x16151413, 0x1A191817},
  };
  // clang-format on
  for (const auto& c : cases) {
    MemoryRanges parsed;
    parsed[0] = {7, 7};
    EXPECT_EQ(ParseMemoryRanges(c.text, &parsed), c.ok) << Show(c.text);
    using Words = std::vector<uint32_t>;
    EXPECT_EQ(
        (Words{parsed[0].start, parsed[0].size, parsed[1].start, parsed[2].start, parsed[2].size}),
        (Words{c.start0, c.size0, c.start1, c.start2, c.size2}))
        << Show(c.text);
  }
}

TEST(ConfigKeysTest, CodeBankCountAndArea) {
  EXPECT_EQ(FormatCodeBank(1, "4", "0x0000", "0xFFFF"), "1,4,0x0000,0xFFFF,");
  // clang-format off
  const struct { const char* text; int count; const char* area; } cases[] = {
      {nullptr, 0, nullptr}, {"", 0, nullptr}, {"1", 0, nullptr}, {"1,", 0, nullptr},
      {"1,4", 0, nullptr},  // no second ","
      {"1,4,", 4, nullptr}, {"1,64,0x0000,0xFFFF,", 64, "0x0000-0xFFFF"},
      {"1,32,0,0,", 32, "0-0"}, {"1,8,,,", 8, "-"}, {"1,2,a,b,", 2, "a-b"},
      {"1,16,,,,,,,,", 16, nullptr}, {"1,4,a,b", 4, nullptr}, {"1,4,a,b,,", 4, nullptr},
      {"1,3, 0x8000 ,0xFFFF,", 2, " 0x8000 -0xFFFF"}, {"1,128,0,0,", 2, "0-0"},
      {"1,,0,0,", 2, "0-0"}, {"1,-4,", 2, nullptr},
      {"0,64,0x0000,0xFFFF,", 0, nullptr}, {"0,4,", 0, nullptr},
      {",4,,,", 4, "-"},  // an empty first field is not "0"
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(BankCount(c.text), c.count) << Show(c.text);
    std::string start = "stale", end = "stale";
    bool has_area = BankArea(c.text, &start, &end);
    EXPECT_EQ(has_area ? start + "-" + end : start + end + "<none>", c.area ? c.area : "<none>")
        << Show(c.text);
  }
}

TEST(ConfigKeysTest, ListingSwitchesFormatAndParse) {
  ListingSwitches switches{};
  switches[kLstCompiler] = 1;
  switches[kLstAssemblerMacros] = 2;
  switches[kLstLinkerLibrary] = 1;
  const std::string text = "1,0,0,0,0,0,0,0,0,2,0,0,0,0,0,0,0,0,0,1";
  EXPECT_EQ(FormatListingSwitches(switches), text);

  auto first = [](std::initializer_list<int> values) {
    ListingSwitches s{};
    std::copy(values.begin(), values.end(), s.begin());
    return s;
  };
  // clang-format off
  const struct { const char* text; ListingSwitches expected; } cases[] = {
      {nullptr, {}}, {"", {}}, {text.c_str(), switches}, {"1,1", first({1, 1})},
      {"1,,0,1", first({1, 0, 1})},  // runs of "," are one separator
      {",,,1,,", first({1})}, {"1,x,1", first({1, 0, 1})}, {" 1, -2,3abc", first({1, -2, 3})},
      {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23",
       first({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20})},
  };
  // clang-format on
  for (const auto& c : cases) {
    ListingSwitches parsed;
    parsed.fill(9);
    ParseListingSwitches(c.text, &parsed);
    EXPECT_EQ(parsed, c.expected) << Show(c.text);
  }
}

TEST(ConfigKeysTest, UserCommandsEncodeAndDecode) {
  EXPECT_EQ(EncodeUserCommands(UserCommands{}), "0??0??");
  EXPECT_EQ(EncodeUserCommands({true, "copy a b", false, "del x"}), "1?copy a b?0?del x?");
  // clang-format off
  const struct { const char* text; bool ok; const char* decoded; } cases[] = {
      {"0??0??", true, "0||0|"}, {"1?copy a b?0?del x?", true, "1|copy a b|0|del x"},
      {"x?a?0?b?", true, "1|a|0|b"},  // anything but "0" is on
      {"?a??b?", true, "1|a|1|b"}, {"1?a?1?b", false, "0||0|"}, {"1?a?1?b??", false, "0||0|"},
      {"", false, "0||0|"}, {nullptr, false, "0||0|"},
  };
  // clang-format on
  for (const auto& c : cases) {
    UserCommands out{true, "stale", true, "stale"};
    EXPECT_EQ(DecodeUserCommands(c.text, &out), c.ok) << Show(c.text);
    EXPECT_EQ(std::string(out.run1 ? "1|" : "0|") + out.command1 + (out.run2 ? "|1|" : "|0|") +
                  out.command2,
              c.decoded)
        << Show(c.text);
  }
}

TEST(ConfigKeysTest, RecordsReadStoredKeysOrTheirDefaults) {
  NodePtr config = CreateDetachedNode("Configuration");
  TargetRecord target{1, 1, 1, 1, 1.0, "x", "y", "z"};
  ReadTargetRecord(config.get(), 11.0592, &target);
  EXPECT_TRUE(target.code_mode == 2 && target.mem_mode == 0 && target.rtos == 0 &&
              target.t51_flags == 0 && target.ocm51.empty() && target.code_bank.empty());
  EXPECT_EQ(target.clock, 11.0592);
  OutputRecord output{"", "", 0, 1, "", {}};
  output.listing.fill(1);
  ReadOutputRecord(config.get(), "Debug", "proj", &output);
  EXPECT_EQ(output.output_directory, ".\\Debug\\");
  EXPECT_EQ(output.listing_directory, ".\\Debug\\");
  EXPECT_EQ(output.output_name, "proj");
  EXPECT_TRUE(output.gen_app == 1 && output.gen_lib == 0 && output.listing == ListingSwitches{});

  for (const char* key : {"CodeMode", "MemMode", "RTOS", "T51FL", "GENAPP", "GENLIB"}) {
    SetAttributeText(config.get(), key, "0x7");
  }
  SetAttributeText(config.get(), "SIMCLK", "33.5");
  SetAttributeText(config.get(), "CodeBank", "1,8,0,0,");
  SetAttributeText(config.get(), "ListingDirectory", "");  // stored empty is not missing
  SetAttributeText(config.get(), "OPTLT", "0,1");
  ReadTargetRecord(config.get(), 11.0592, &target);
  EXPECT_TRUE(target.code_mode == 0 && target.mem_mode == 0 && target.t51_flags == 0);
  EXPECT_EQ(target.clock, 33.5);
  EXPECT_EQ(ConfigurationBankCount(config.get()), 8);
  ReadOutputRecord(config.get(), "Debug", "proj", &output);
  EXPECT_TRUE(output.gen_app == 0 && output.listing_directory.empty() && output.listing[1] == 1);
}

TEST(ConfigKeysTest, WritersSendOneDetachedNodeWithTheKeysInOrder) {
  NodePtr config = CreateDetachedNode("Configuration");
  test::RecordingHost host;
  TargetRecord target{1, 2, 1, 9, 12.0, "{ 0,1 }", "", "1,4,0x0000,0xFFFF,"};
  WriteTargetRecord(&host, config.get(), target);
  WriteUserCommandKeys(&host, config.get(), {true, "a", false, ""}, {}, {false, "", true, "b"});
  WriteTargetRecord(nullptr, config.get(), target);
  WriteTargetRecord(&host, nullptr, target);

  ASSERT_EQ(host.updates.size(), 2u);
  for (const auto& update : host.updates) {
    EXPECT_EQ(update.target, config.get());
    EXPECT_EQ(update.element, "Configuration");
  }
  EXPECT_EQ(host.updates[0].attributes,
            (Strings{"CodeMode=1", "MemMode=2", "RTOS=1", "T51FL=9", "SIMCLK=12.000000",
                     "OCM51={ 0,1 }", "OCR51=", "CodeBank=1,4,0x0000,0xFFFF,"}));
  EXPECT_EQ(host.updates[1].attributes,
            (Strings{"BeforeCmp=1?a?0??", "BeforeBuild=0??0??", "AfterBuild=0??1?b?"}));
}

}  // namespace
}  // namespace c51
