#include "sdcc/link/assembly_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace c51::sdcc {
namespace {

TEST(AssemblyNames, AnAliasIsASecondDefinitionWhereTheFirstIs) {
  std::string rel =
      "XL3\nH 3 areas A global symbols\nM ASM\nS ticks Ref000000\n"
      "A DSEG size 1 flags 0 addr 0\nS CRC_COUNT Def000004\nA CSEG size 2 flags 20 addr 0\n";
  ASSERT_TRUE(AddSymbolAlias(&rel, "CRC_COUNT", "_crc_count"));
  EXPECT_EQ(
      "XL3\nH 3 areas B global symbols\nM ASM\nS ticks Ref000000\n"
      "A DSEG size 1 flags 0 addr 0\nS CRC_COUNT Def000004\nS _crc_count Def000004\n"
      "A CSEG size 2 flags 20 addr 0\n",
      rel);
  EXPECT_FALSE(AddSymbolAlias(&rel, "ticks", "_ticks"));  // a reference, not a definition
  EXPECT_FALSE(AddSymbolAlias(&rel, "CRC", "_crc"));      // a prefix of a name is none
}

LinkModule Module(const std::string& options, std::vector<std::string> publics,
                  std::vector<std::string> code, std::vector<std::string> references,
                  std::vector<std::string> calls = {}) {
  LinkModule m;
  m.symbols.options = options;
  m.symbols.publics = std::move(publics);
  m.symbols.code_publics = std::move(code);
  m.symbols.references = std::move(references);
  m.module.rel = "XL3\nH 1 areas 0 global symbols\n";
  for (const std::string& p : m.symbols.publics) m.module.rel += "S " + p + " Def000010\n";
  for (const std::string& r : m.symbols.references) m.module.rel += "S " + r + " Ref000000\n";
  m.module.call_graph = true;
  m.module.functions.push_back(RelFunction{"_main", true, {}, std::move(calls), false});
  return m;
}

TEST(AssemblyNames, SharedNamesResolveInBothDirections) {
  std::vector<LinkModule> modules = {
      // C: reads crc_count and the table hex_digits, calls bump, defines
      // ticks and lcd_put.
      Module("-mmcs51", {"_main", "_ticks", "_lcd_put"}, {"_main", "_lcd_put"},
             {"_crc_count", "_hex_digits", "_bump", "_missing"}, {"_bump"}),
      // Assembly: defines CRC_COUNT, HEX_DIGITS, BUMP; reads TICKS, calls
      // LCD_PUT and _Lcd_Show.
      Module("", {"CRC_COUNT", "HEX_DIGITS", "BUMP"}, {"HEX_DIGITS", "BUMP"},
             {"TICKS", "LCD_PUT", "_Lcd_Show", "NOWHERE"}),
      Module("-mmcs51", {"_lcd_show"}, {"_lcd_show"}, {}),
  };
  const std::vector<ReverseCall> calls = BridgeAssemblyNames(&modules);
  const LinkModule& c = modules[0];
  const LinkModule& a = modules[1];
  // Data and a table C reads get C's names in the assembly module; BUMP,
  // which C calls, is left to the call shim.
  EXPECT_EQ(
      (std::vector<std::string>{"CRC_COUNT", "HEX_DIGITS", "BUMP", "_crc_count", "_hex_digits"}),
      a.symbols.publics);
  EXPECT_NE(std::string::npos, a.module.rel.find("S _crc_count Def000010\n"));
  EXPECT_EQ(std::string::npos, a.module.rel.find("_bump"));
  // C's variable gets the assembly's name; its functions are called through
  // modules of their own.
  EXPECT_NE(std::string::npos, c.module.rel.find("S _ticks Def000010\nS TICKS Def000010\n"));
  ASSERT_EQ(2u, calls.size());
  EXPECT_EQ("LCD_PUT", calls[0].symbol);
  EXPECT_EQ("_lcd_put", calls[0].target);
  EXPECT_EQ("_Lcd_Show", calls[1].symbol);
  EXPECT_EQ("_lcd_show", calls[1].target);
  const std::string source = ReverseCallSource(calls[0]);
  EXPECT_NE(std::string::npos,
            source.find("LCD_PUT:\n\tmov dpl,r7\n\tmov dph,r6\n\tmov b,r5\n\tmov a,r4\n\tlcall "
                        "_lcd_put\n\tmov r7,dpl\n"))
      << source;
}

// A vector in assembly jumps to a C interrupt routine by the original
// name: the routine is entered directly, registers intact, not through a
// module that moves parameters.
TEST(AssemblyNames, AVectorReachesAnInterruptRoutineDirectly) {
  std::vector<LinkModule> modules = {
      Module("-mmcs51", {"_main", "_ex0_isr", "_put"}, {"_main", "_ex0_isr", "_put"}, {}),
      Module("", {}, {}, {"EX0_ISR", "PUT"}),
  };
  modules[0].module.interrupts.push_back({0, "_ex0_isr"});
  const std::vector<ReverseCall> calls = BridgeAssemblyNames(&modules);
  ASSERT_EQ(1u, calls.size());
  EXPECT_EQ("PUT", calls[0].symbol);
  EXPECT_NE(std::string::npos,
            modules[0].module.rel.find("S _ex0_isr Def000010\nS EX0_ISR Def000010\n"))
      << modules[0].module.rel;
}

// A C call with no prototype in scope, or a prototype, spells the function
// in another letter case; the original linker ignores case. The caller takes
// the definition's spelling, for the function, the parameters sdcc passes
// in memory and the call graph. Two candidates are no answer.
TEST(AssemblyNames, CNamesInAnotherLetterCaseResolve) {
  std::vector<LinkModule> modules = {
      Module("-mmcs51", {"_main"}, {"_main"},
             {"_key_scan", "_key_scan_PARM_2", "_key_scan_PARM_3", "_show", "_Ticks"},
             {"_key_scan", "_show"}),
      Module("-mmcs51", {"_Key_Scan", "_Show", "_ticks"}, {"_Key_Scan"}, {}),
      Module("-mmcs51", {"_SHOW"}, {"_SHOW"}, {}),
  };
  EXPECT_TRUE(BridgeAssemblyNames(&modules).empty());
  const LinkModule& main = modules[0];
  const std::string& rel = main.module.rel;
  EXPECT_NE(std::string::npos, rel.find("S _Key_Scan Ref000000\n")) << rel;
  EXPECT_NE(std::string::npos, rel.find("S _Key_Scan_PARM_2 Ref000000\nS _Key_Scan_PARM_3 Ref"));
  EXPECT_NE(std::string::npos, rel.find("S _ticks Ref000000\n"));
  EXPECT_NE(std::string::npos, rel.find("S _show Ref000000\n"));  // two candidates
  EXPECT_EQ(std::string::npos, rel.find("_key_scan"));
  EXPECT_EQ(main.module.functions[0].calls, (std::vector<std::string>{"_Key_Scan", "_show"}));
  EXPECT_EQ(main.symbols.references,
            (std::vector<std::string>{"_Key_Scan", "_Key_Scan_PARM_2", "_Key_Scan_PARM_3", "_show",
                                      "_ticks"}));
  // The defining modules are as they were.
  EXPECT_EQ(std::string::npos, modules[1].module.rel.find("_key_scan"));
  EXPECT_EQ(std::string::npos, modules[2].module.rel.find("S _show "));
}

}  // namespace
}  // namespace c51::sdcc
