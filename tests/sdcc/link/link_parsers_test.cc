// The readers the sdcc linker relies on: relocatable symbol tables, sdld's
// messages, its memory summary and map, and Intel HEX.
#include <gtest/gtest.h>

#include <cstdio>

#include "sdcc/link/ihx_image.h"
#include "sdcc/link/link_map.h"
#include "sdcc/link/memory_summary.h"
#include "sdcc/link/rel_symbols.h"
#include "sdcc/link/sdld_messages.h"

namespace c51::sdcc {
namespace {

using Strings = std::vector<std::string>;

// The shape sdcc gives a module that includes a register header.
constexpr std::string_view kRel =
    ";!FILE /tmp/x/main.asm\n"
    "XH3\n"
    "H 4 areas 5 global symbols\n"
    "M main\n"
    "O -mmcs51 --model-large\n"
    "S _P1 Def000090\n"
    "S .__.ABS. Def000000\n"
    "S _helper Ref000000\n"
    "A RSEG size 0 flags 8 addr 0\n"
    "S _RSEG_CONST Def000000\n"
    "A DSEG size 1 flags 0 addr 0\n"
    "S _ticks Def000000\n"
    "A CSEG size 2B flags 20 addr 0\n"
    "S _main Def00000C\n"
    "T 00 00 00 02 00 0B\n";

TEST(RelSymbols, SortsPublicsFromConstantsAndReferences) {
  RelSymbols symbols;
  std::string err;
  ASSERT_TRUE(ScanRel(kRel, &symbols, &err)) << err;
  EXPECT_EQ(symbols.module, "main");
  EXPECT_EQ(symbols.options, "-mmcs51 --model-large");
  EXPECT_EQ(symbols.publics, (Strings{"_ticks", "_main"}));
  EXPECT_EQ(symbols.code_publics, (Strings{"_main"}));  // not the variable
  EXPECT_EQ(symbols.absolutes, (Strings{"_P1", "_RSEG_CONST"}));
  EXPECT_EQ(symbols.references, (Strings{"_helper"}));
  EXPECT_FALSE(IsBankedModule(symbols));

  // Banked code calls through sdcc's trampoline (the huge model is tried
  // on real objects).
  ASSERT_TRUE(ScanRel("XL2\nS __sdcc_banked_call Ref000000\n", &symbols, &err));
  EXPECT_TRUE(IsBankedModule(symbols));

  for (std::string_view foreign : {"", "SIMOBJ 1\n", "XZ3\nM x\n", ";only a comment\n"}) {
    EXPECT_FALSE(ScanRel(foreign, &symbols, &err)) << foreign;
  }
}

// Messages and the map show the names the user wrote.
TEST(RelSymbols, DisplaysTheUsersNames) {
  const struct {
    const char* in;
    const char* shown;
  } rows[] = {{"_helper", "helper"},        {"?C_START", "?C_START"},         {"$STACK", "?STACK"},
              {"$PR$MAIN$M", "?PR?MAIN?M"}, {"G$init$0_0$0", "G$init$0_0$0"}, {"_", "_"}};
  for (const auto& row : rows) EXPECT_EQ(DisplaySymbol(row.in), row.shown) << row.in;
}

TEST(SdldMessages, SortsTheLinesSdldWrites) {
  const std::vector<SdldMessage> messages = ParseSdldOutput(
      "?ASlink-Warning-Undefined Global '_gone' referenced by module 'unres'\n"
      "\n"
      "Multiple definition of _counter\r\n"
      "?ASlink-Error-Could not get 150 consecutive bytes in internal RAM for area DSEG.\n"
      "?ASlink-Error-Could not get 150 consecutive bytes in internal RAM for area DSEG.\n"
      "?ASlink-Error-Insufficient ROM/EPROM/FLASH memory.\n"
      "?ASlink-Error-Insufficient EXTERNAL RAM memory.\n"
      "?ASlink-Warning-Definition of public symbol '_f' found more than once:\n"
      "   Library: 'l0.lib', Module: 'a.rel'\n"
      "at 1: error 257: Failed to open output file 'x.lk'\n"
      "some progress line\n"
      "?ASlink-Warning-2K Page relocation error\n"
      "?ASlink-Warning-Paged Area PSEG Length Error\n");
  ASSERT_EQ(messages.size(), 9u);
  EXPECT_EQ(messages[0].kind, SdldMessage::kUnresolved);
  EXPECT_EQ(messages[0].symbol, "_gone");
  EXPECT_EQ(messages[0].module, "unres");
  EXPECT_EQ(messages[1].kind, SdldMessage::kMultiple);
  EXPECT_EQ(messages[1].symbol, "_counter");
  const Strings spaces = {messages[2].space, messages[3].space, messages[4].space};
  EXPECT_EQ(spaces, (Strings{"DATA", "CODE", "XDATA"}));
  EXPECT_EQ(messages[3].kind, SdldMessage::kOverflow);
  EXPECT_EQ(messages[5].kind, SdldMessage::kOtherWarning);
  EXPECT_EQ(messages[5].text,
            "Definition of public symbol '_f' found more than once:; Library: 'l0.lib', "
            "Module: 'a.rel'");
  EXPECT_EQ(messages[6].kind, SdldMessage::kOtherError);
  // A short jump that does not reach: the program is broken.
  EXPECT_EQ(messages[7].kind, SdldMessage::kOtherError);
  // PDATA beyond its page wraps onto itself: an overflow, though sdld warns.
  EXPECT_EQ(messages[8].kind, SdldMessage::kOverflow);
  EXPECT_EQ(messages[8].space, "PDATA");
}

TEST(MemorySummary, CountsUsedInternalRamButNotTheStack) {
  const MemoryUse use = ReadMemorySummary(
      "Internal RAM layout:\n"
      "      0 1 2 3 4 5 6 7 8 9 A B C D E F\n"
      "0x00:|0|0|0|0|0|0|0|0|1|1|1|1|1|1|1|1|\n"
      "0x10:|a|b|b|S|S|S|S|S|S|S|S|S|S|S|S|S|\n"
      "0x20:|B|T| | | | | | | | | | | | | |I|\n"
      "0-3:Reg Banks, T:Bit regs, a-z:Data, B:Bits, Q:Overlay, I:iData, S:Stack, A:Absolute\n"
      "\n"
      "Other memory:\n"
      "   Name             Start    End      Size     Max     \n"
      "   ---------------- -------- -------- -------- --------\n"
      "   PAGED EXT. RAM   0x0001   0x0010      16      256   \n"
      "   EXTERNAL RAM     0x0001   0x0bb8    3000    65536   \n"
      "   ROM/EPROM/FLASH  0x0000   0x0269     618    65536   \n");
  EXPECT_EQ(use.data, 22u);
  EXPECT_EQ(use.xdata, 3016u);
  EXPECT_EQ(ReadMemorySummary("").data, 0u);

  // Where frames may still go: empty and stack cells of 00H-7FH.
  ASSERT_EQ(use.free_data.size(), 0x80u);
  std::string cells;
  for (uint32_t a = 0; a < 0x30; ++a) cells += use.free_data[a] ? '.' : 'x';
  EXPECT_EQ(cells,
            "xxxxxxxxxxxxxxxx"
            "xxx............."
            "xx.............x");
  EXPECT_FALSE(use.free_data[0x7F]);  // a row not shown is nobody's to give
  EXPECT_TRUE(ReadMemorySummary("").free_data.empty());
}

TEST(LinkMap, KeepsTheUserModulesSymbolsWithTheirSpaces) {
  const std::vector<MapSymbol> symbols = ReadMapSymbols(
      "Area                                    Addr        Size        Decimal Bytes\n"
      ".  .ABS.                            00000000    00000000 =           0. bytes (ABS,CON)\n"
      "     00000090  _P1                                main\n"
      "DSEG                                00000000    00000080 =         128. bytes (REL,CON)\n"
      "     00000010  _ticks                             main\n"
      "     00000011  _counter                           crtlib\n"
      "CSEG                                0000006D    00000041 =          65. bytes "
      "(REL,CON,CODE)\n"
      "C:   00000079  _main                              main\n"
      "C:   0000006D  _timer0                            main\n"
      "C:   00000000  l_BSEG                          \n",
      {"main"});
  ASSERT_EQ(symbols.size(), 3u);
  EXPECT_EQ(symbols[0].name, "_ticks");
  EXPECT_EQ(symbols[0].space, "DATA");
  EXPECT_EQ(symbols[1].name, "_timer0");
  EXPECT_EQ(symbols[1].value, 0x6Du);
  EXPECT_EQ(symbols[2].space, "CODE");
}

// The variables the linker lays are equates of its own modules' (in free
// cells) or labels of its pieces of DSEG: they show as their owners'.
TEST(LinkMap, ShowsTheVariablesTheLinkerLaidUnderTheirModules) {
  const std::string map =
      ".  .ABS.                            00000000    00000000 =           0. bytes (ABS,CON)\n"
      "     00000021  __overlay_base                     __overlay\n"
      "     00000021  _buf                               __overlay\n"
      "     00000040  _sbuf$1f2e3d                       __overlay\n"
      "     00000090  _P1                                main\n"
      "DSEG                                00000000    00000080 =         128. bytes (REL,CON)\n"
      "     00000008  _count                             __vars1\n"
      "     00000009  COUNT                              __vars1\n"
      "CSEG                                0000006D    00000041 =          65. bytes "
      "(REL,CON,CODE)\n"
      "C:   00000079  _main                              main\n";
  const std::vector<MapSymbol> symbols =
      ReadMapSymbols(map, {"main"}, {{"_buf", "main"}, {"_count", "lcd"}, {"COUNT", "lcd"}});
  std::string shown;
  for (const MapSymbol& s : symbols) {
    char row[80];
    snprintf(row, sizeof row, "%02X %s %s %s; ", static_cast<unsigned>(s.value), s.space.c_str(),
             s.name.c_str(), s.module.c_str());
    shown += row;
  }
  EXPECT_EQ(shown,
            "08 DATA _count lcd; 09 DATA COUNT lcd; 21 DATA _buf main; 79 CODE _main main; ");
  // Without owners the linker's modules' symbols are nobody's.
  EXPECT_EQ(ReadMapSymbols(map, {"main"}).size(), 1u);
}

TEST(IntelHex, ReadsRecordsIntoSortedRuns) {
  std::vector<c51::sim::HexChunk> runs;
  std::string err;
  ASSERT_TRUE(
      ReadIntelHex(":03000B0002006D83\n"
                   ":0400000002001132B7\r\n"
                   ":03000E0002007974\n"
                   ":020000040001F9\n"
                   ":0100000055AA\n"
                   ":00000001FF\n"
                   ":0100000099FF\n",  // after the end: not read
                   &runs, &err))
      << err;
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].address, 0u);
  EXPECT_EQ(runs[0].bytes, (std::vector<uint8_t>{0x02, 0x00, 0x11, 0x32}));
  EXPECT_EQ(runs[1].address, 0x0Bu);  // 0x0B..0x10 in one run
  EXPECT_EQ(runs[1].bytes.size(), 6u);
  EXPECT_EQ(runs[2].address, 0x10000u);
  EXPECT_EQ(runs[2].bytes, (std::vector<uint8_t>{0x55}));
}

TEST(IntelHex, RefusesBadRecordsAtEveryCut) {
  std::vector<c51::sim::HexChunk> runs;
  std::string err;
  const struct {
    const char* text;
    const char* error;
  } kBad[] = {
      {":0400000002001132B8\n:00000001FF\n", "BAD HEX CHECKSUM IN LINE 1"},
      {"0400000002001132B7\n:00000001FF\n", "BAD HEX RECORD IN LINE 1"},
      {":0500000002001132B7\n:00000001FF\n", "BAD HEX RECORD IN LINE 1"},
      {":0400000002001132B7\n", "HEX FILE WITHOUT END RECORD"},
      {":00000007F9\n", "BAD HEX RECORD TYPE IN LINE 1"},
      {":0100000402F9\n:00000001FF\n", "BAD HEX RECORD IN LINE 1"},
  };
  for (const auto& bad : kBad) {
    EXPECT_FALSE(ReadIntelHex(bad.text, &runs, &err)) << bad.text;
    EXPECT_EQ(err, bad.error) << bad.text;
  }
  const std::string good = ":0400000002001132B7\n:00000001FF\n";
  for (size_t cut = 0; cut + 1 < good.size(); ++cut) {
    EXPECT_FALSE(ReadIntelHex(good.substr(0, cut), &runs, &err)) << cut;
  }
}

}  // namespace
}  // namespace c51::sdcc
