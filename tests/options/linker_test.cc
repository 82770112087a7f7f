#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "options/cpu_text.h"
#include "options/linker_control_string.h"
#include "options/memory_layout.h"
#include "options/options_tree.h"
#include "project/config_keys.h"
#include "project/device_record.h"

namespace c51 {
namespace {

TEST(LinkerStringTest, BankAreaRtosAndRamSizeLines) {
  struct Case {
    const char* code_bank;
    int rtos;
    const char* cpu;
    const char* expected;
  } cases[] = {
      {"", 0, "", "\nRAMSIZE(256)\n"},
      {"1,4, 0x8000 ,0xFFFF,", 0, "", "BankArea( 0x8000 ,0xFFFF)\nRAMSIZE(256)\n"},
      {"0,4,0x0000,0xFFFF,", 0, "", "\nRAMSIZE(256)\n"},
      {"1,4,0x0000,", 0, "", "\nRAMSIZE(256)\n"},          // three commas
      {"1,4,0x0000,0xFFFF,,", 0, "", "\nRAMSIZE(256)\n"},  // five commas
      {",,,,", 1, "", "BankArea(,)\nRtx51Tiny\nRAMSIZE(256)\n"},
      {"", 2, "", "\nRtx51\nRAMSIZE(256)\n"},
      {"", 3, "IRAM(0-7FH) XRAM(0-0x7FF)", "\nRAMSIZE(128)\n"},
      {"", 0, "IRAM(0-0FFH)", "\nRAMSIZE(256)\n"},
      {"", 0, "IRAM(0-1111111B)", "\nRAMSIZE(128)\n"},
      {"", 0, "IRAM(0-12B)", "\nRAMSIZE(1)\n"},                      // not base two: 0
      {"", 0, "IRAM(0-0xFF", "\nRAMSIZE(256)\n"},                    // no ")": no IRAM entry
      {"", 0, "IRAM(0xFF)", "\nRAMSIZE(256)\n"},                     // no "-"
      {"", 0, "IRAM(0-0xFFFFFFFFFFFF)", "\nRAMSIZE(4294967296)\n"},  // saturates
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code_bank) + " | " + c.cpu);
    LinkerStringInputs inputs{c.rtos, c.code_bank, c.cpu, "demo"};
    EXPECT_EQ(BuildLinkerControlString(LinkerOptions(), inputs), c.expected);
  }
}

TEST(LinkerStringTest, DirectivesInOrderWithTheirJoints) {
  LinkerOptions o;
  o.disable_warnings = " 16 ";
  o.misc = " REMOVEUNUSED ";
  o.overlay = "main ! sub";
  o.code_base = " 0x0000-0x7FFF ";
  o.code_segments = "?PR?MAIN";
  o.xdata_base = "0x0000-0x07FF";
  o.xdata_segments = "?XD?BUF";
  o.pdata_base = "0x100";
  o.precede = "?DT?FIRST";
  o.bit_base = "0x20";
  o.bit_segments = "?BI?FLAGS";
  o.data_base = "0x30";
  o.idata_segments = "?ID?STACKS";
  o.stack = "?STACK";
  EXPECT_EQ(BuildLinkerControlString(o, LinkerStringInputs()),
            "\nRAMSIZE(256)\nDISABLEWARNING (16)\nREMOVEUNUSED \nOVERLAY( main ! sub )\n"
            "CODE( 0x0000-0x7FFF,?PR?MAIN )\nXDATA( 0x0000-0x07FF , ?XD?BUF )\n"
            "PDATA( 0x100 )\nPRECEDE( ?DT?FIRST )\nBIT( 0x20 , ?BI?FLAGS )\nDATA( 0x30 )\n"
            "IDATA( ?ID?STACKS )\nSTACK( ?STACK )\n");
  LinkerOptions blank;
  blank.code_segments = "?PR?X";
  blank.overlay = " \r\n ";
  blank.misc = "\t";
  blank.disable_warnings = "  ";
  EXPECT_EQ(BuildLinkerControlString(blank, LinkerStringInputs()),
            "\nRAMSIZE(256)\nCODE( ?PR?X )\n");
}

TEST(LinkerStringTest, DisplayVariantAndTreeReading) {
  LinkerOptions options;
  options.stack = "?STACK";
  // The pages read the RAM end with base auto-detection: 7FH is 7.
  EXPECT_EQ(BuildLinkerDisplayString(options, {1, "0,4,0x0000,0xFFFF,", "IRAM(0-7FH)", "demo"}),
            "TO \"demo\" Rtx51Tiny\r\nRAMSIZE(8)\r\nSTACK( ?STACK )\r\n");
  EXPECT_EQ(BuildLinkerDisplayString(options, {2, "1,8,0x8000,0xFFFF,", "IRAM(0-0377)", "x"}),
            "TO \"x\" Rtx51\r\nBankArea(0x8000,0xFFFF)\r\nRAMSIZE(256)\r\nSTACK( ?STACK )\r\n");

  test::ProjectTree tree;
  const char* properties[] = {"CPU=IRAM(0-7FH)", nullptr};
  DeviceRecord device{};
  device.properties = properties;
  SetAttributeText(tree.config, "RTOS", "2");
  SetAttributeText(tree.config, "CodeBank", "1,2,0x0000,0xFFFF,");
  tree.Tool(nullptr, "Lx51Tool", {{"LX51COS", "?PR?A"}, {"LX51COB", "0x0-0xFF"}});
  EXPECT_EQ(BuildLinkerControlString(&tree.ref, &device),
            "BankArea(0x0000,0xFFFF)\nRtx51\nRAMSIZE(128)\nCODE( 0x0-0xFF,?PR?A )\n");
  tree.ref.name = "Release";
  EXPECT_EQ(BuildLinkerControlString(&tree.ref, &device), "");
}

TEST(MemoryLayoutTest, CpuRangesMergeClampAndDrop) {
  int64_t start = 0;
  int64_t last = 0;
  ASSERT_TRUE(ReadCpuRange("IRAM(0-0xFF) IROM (0100-0x3FFF) X(1)", "IROM", &start, &last));
  EXPECT_EQ(start, 64);
  EXPECT_EQ(last, 0x3FFF);
  ASSERT_TRUE(ReadCpuRange("IROM(-1-0x10)", "IROM", &start, &last));
  EXPECT_EQ(start, -1);
  EXPECT_FALSE(ReadCpuRange("IROM(0x10)", "IROM", &start, &last));

  using Ranges = std::vector<AddressRange>;
  struct Case {
    Ranges in;
    const char* expected;
  } cases[] = {
      {{{0, 0xFFF}, {0x1000, 0x1FFF}}, "0x0000-0x1FFF"},                // touching
      {{{0, 0xFFF}, {0x1001, 0x1FFF}}, "0x0000-0x0FFF,0x1001-0x1FFF"},  // a gap of one
      {{{0x8000, 0x9FFF}, {0x2000, 0x8FFF}}, "0x2000-0x9FFF"},
      {{{0, 0xFF}, {0x300, 0x3FF}, {0x100, 0x2FF}}, "0x0000-0x03FF"},  // bridged
      {{{0x4000, 0x4FFF}, {0, 0xFF}, {0x5000, 0x5FFF}}, "0x4000-0x5FFF,0x0000-0x00FF"},
      {{{0x10000, 0x1FFFF}, {-5, 0xFF}, {0x8000, 0x10000}, {0x2000, 0x1000}}, "0x0000-0x00FF"},
      {{{1, 0xFF}, {0, 0}}, "0x0001-0x00FF"},  // an unused range pulls nothing down
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(FormatAddressRanges(MergeAddressRanges(c.in)), c.expected);
  }
}

TEST(MemoryLayoutTest, TargetRangesAndOnChipMemory) {
  TargetRecord target;
  MemoryRanges code{};
  code[0] = {0x1000, 0x1000};
  code[2] = {0x8000, 0x0};  // size 0: unused
  MemoryRanges xdata{};
  xdata[1] = {0x0800, 0x800};
  target.ocm51 = FormatMemoryRanges(code);
  target.ocr51 = FormatMemoryRanges(xdata);
  const char* cpu = "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0x0FFF)";
  MemoryLayout layout = ComputeMemoryLayout(target, cpu);
  EXPECT_EQ(layout.code + " " + layout.xdata, "0x1000-0x1FFF 0x0800-0x0FFF");
  target.t51_flags = kT51OnChipRom | kT51OnChipXram;
  layout = ComputeMemoryLayout(target, cpu);
  EXPECT_EQ(layout.code + " " + layout.xdata, "0x0000-0x1FFF 0x0000-0x0FFF");
  target.ocm51 = "{ 0,1,2";  // damaged texts give no ranges rather than stray ones
  target.ocr51 = "garbage";
  layout = ComputeMemoryLayout(target, "IROM(0-0x3FFF");
  EXPECT_EQ(layout.code + " " + layout.xdata, " ");
}

}  // namespace
}  // namespace c51
