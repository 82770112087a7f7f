// What the linker decides before sdld runs and checks after it: the vector
// table it lays down, the overlap check over the code image, the absolute
// areas it reads from relocatables, and the library names it bridges.
#include <gtest/gtest.h>

#include "sdcc/link/code_overlap.h"
#include "sdcc/link/library_names.h"
#include "sdcc/link/rel_symbols.h"
#include "sdcc/link/vector_table.h"

namespace c51::sdcc {
namespace {

using Strings = std::vector<std::string>;

// "0000 3, 000B 3" for the entries a plan places.
std::string Entries(const VectorPlan& plan) {
  std::string out;
  for (const CodeRange& entry : plan.entries) {
    if (!out.empty()) out += ", ";
    out += AddressText(entry.start) + " " + std::to_string(entry.end - entry.start);
  }
  return out;
}

// "L223 d1|d2; L225 ..." for a plan's messages.
std::string Messages(const std::vector<LinkMessage>& messages) {
  std::string out;
  for (const LinkMessage& message : messages) {
    if (!out.empty()) out += "; ";
    out += message.code;
    for (const std::string& detail : message.details) out += "|" + detail;
  }
  return out;
}

const InterruptRoutine kMainT0{1, "_t0", "main.obj (MAIN)", true, true};
const InterruptRoutine kTimerT0{1, "_t0", "timer.obj (TIMER)", false, true};
const InterruptRoutine kUartIsr{4, "_uart", "uart.obj (UART)", false, true};
const InterruptRoutine kOtherT0{1, "_tick", "other.obj (OTHER)", false, true};
const InterruptRoutine kStaticT1{3, "_t1", "t1.obj (T1)", false, false};
const CodeRange kStartup{0x0000, 0x0003, "start.obj (START)"};
const CodeRange kAsmVector{0x000B, 0x000E, "vec.obj (VEC)"};
const CodeRange kTable{0x0100, 0x0110, "tab.obj (TAB)"};

TEST(VectorTable, LaysDownWhatSdccsOwnTableCannot) {
  const struct {
    const char* name;
    std::vector<InterruptRoutine> routines;
    std::vector<CodeRange> absolute;
    uint32_t base;
    uint32_t main_home_size;
    const char* entries;  // empty: no table module
    const char* messages;
  } kCases[] = {
      {"every routine beside main", {kMainT0}, {kTable}, 0, 14, "", ""},
      {"nothing at all", {}, {}, 0, 6, "", ""},
      {"a routine in its own file", {kTimerT0}, {}, 0, 6, "0000H 3, 0003H 1, 000BH 3", ""},
      {"two files, unused vectors between",
       {kUartIsr, kTimerT0},
       {},
       0,
       6,
       "0000H 3, 0003H 1, 000BH 3, 0013H 1, 001BH 1, 0023H 3",
       ""},
      {"code placed elsewhere", {kTimerT0}, {}, 0x800, 6, "0800H 3, 0803H 1, 080BH 3", ""},
      {"a start-up file's reset wins", {kTimerT0}, {kStartup}, 0, 6, "0003H 1, 000BH 3", ""},
      // sdld would move sdcc's table away from the start-up's code.
      {"a start-up file beside main's routine",
       {kMainT0},
       {kStartup},
       0,
       14,
       "0003H 1, 000BH 3",
       ""},
      {"a start-up file, no routine", {}, {kStartup}, 0, 6, "", ""},
      {"assembly at the vector wins",
       {kTimerT0},
       {kAsmVector},
       0,
       6,
       "0000H 3, 0003H 1",
       "L225|VECTOR:  000BH (INTERRUPT 1)|SYMBOL:  t0|MODULE:  timer.obj (TIMER)|CODE:    vec.obj "
       "(VEC)"},
      {"one number, two routines",
       {kTimerT0, kOtherT0},
       {},
       0,
       6,
       "0000H 3, 0003H 1, 000BH 3",
       "L223|VECTOR:  000BH (INTERRUPT 1)|SYMBOL:  t0|MODULE:  timer.obj (TIMER)|SYMBOL:  "
       "tick|MODULE:  other.obj (OTHER)"},
      {"the same routine named twice",
       {kTimerT0, kTimerT0},
       {},
       0,
       6,
       "0000H 3, 0003H 1, 000BH 3",
       ""},
      {"a static routine",
       {kStaticT1},
       {},
       0,
       6,
       "0000H 3, 0003H 1, 000BH 1, 0013H 1",
       "L226|VECTOR:  001BH (INTERRUPT 3)|SYMBOL:  t1|MODULE:  t1.obj (T1)|REASON:  A STATIC "
       "ROUTINE CANNOT BE REACHED FROM THE VECTOR"},
      {"a vector past the end of code memory",
       {kTimerT0},
       {},
       0xFFF8,
       6,
       "FFF8H 3, FFFBH 1",
       "L107|SPACE:   CODE|REASON:  INTERRUPT VECTOR ABOVE 0xFFFF"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const VectorPlan plan = PlanVectorTable(c.routines, c.absolute, c.base, c.main_home_size);
    EXPECT_EQ(Entries(plan), c.entries);
    EXPECT_EQ(plan.source.empty(), std::string(c.entries).empty());
    EXPECT_EQ(Messages(plan.messages), c.messages);
  }
}

TEST(VectorTable, SdccsHomeAreaGoesPastTheTable) {
  const InterruptRoutine kMainT2{5, "_t2", "main.obj (MAIN)", true, true};
  const InterruptRoutine kUart2{8, "_u2", "uart2.obj (UART2)", false, true};
  const CodeRange kHighCode{0x0040, 0x0050, "hi.obj (HI)"};
  const struct {
    const char* name;
    std::vector<InterruptRoutine> routines;
    std::vector<CodeRange> absolute;
    uint32_t base;
    uint32_t home_base;
  } kCases[] = {
      {"no table", {kMainT0}, {}, 0, 0},
      {"a routine in its own file", {kTimerT0}, {}, 0, 0x000E},
      {"beside main, and a higher one elsewhere", {kMainT0, kUart2}, {}, 0, 0x0046},
      {"beside main above one elsewhere", {kMainT2, kTimerT0}, {}, 0, 0x002E},
      {"code placed elsewhere", {kMainT0, kUart2}, {}, 0x800, 0x0846},
      {"the last vector is the user's", {kTimerT0, kUart2}, {kHighCode}, 0, 0x0050},
      {"a start-up file's reset", {kTimerT0}, {kStartup}, 0, 0x000E},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(PlanVectorTable(c.routines, c.absolute, c.base, 14).home_base, c.home_base);
  }
}

TEST(VectorTable, SourceJumpsToTheRoutinesAndTheStartUp) {
  const VectorPlan plan = PlanVectorTable({kUartIsr, kTimerT0}, {}, 0, 6);
  for (const char* part :
       {"\t.globl\t__sdcc_gsinit_startup\n", "\t.globl\t_uart\n", "\t.globl\t_t0\n", "(ABS,CODE)\n",
        "\t.org\t0x0000\n\tljmp\t__sdcc_gsinit_startup\n", "\t.org\t0x0003\n\treti\n",
        "\t.org\t0x000B\n\tljmp\t_t0\n", "\t.org\t0x0023\n\tljmp\t_uart\n"}) {
    EXPECT_NE(plan.source.find(part), std::string::npos) << part << "\n" << plan.source;
  }
  EXPECT_EQ(plan.map_lines, (Strings{"  0000H     RESET      __sdcc_gsinit_startup",
                                     "  000BH     1          t0                                "
                                     "timer.obj (TIMER)",
                                     "  0023H     4          uart                              "
                                     "uart.obj (UART)"}));
}

TEST(CodeOverlap, ReadsSdldsAreasAndNamesBothOwnersOfAByte) {
  const char* map =
      "Area                                    Addr        Size        Decimal Bytes (Attributes)\n"
      "__VECTORS2                          00000000    00000003 =           3. bytes "
      "(ABS,CON,CODE)\n"
      "DSEG                                00000000    00000080 =         128. bytes (REL,CON)\n"
      "HOME                                0000000E    00000006 =           6. bytes "
      "(REL,CON,CODE)\n"
      "GSINIT1                             00000014    00000000 =           0. bytes "
      "(REL,CON,CODE)\n"
      "XSEG                                00000001    00000010 =          16. bytes "
      "(REL,CON,XDATA)\n"
      "CSEG                                00000070    0000000A =          10. bytes "
      "(REL,CON,CODE)\n"
      "HOME                                0000000E    00000006 =           6. bytes "
      "(REL,CON,CODE)\n";
  const std::vector<CodeRange> areas = RelocatedCodeAreas(map);
  ASSERT_EQ(areas.size(), 2u);
  EXPECT_EQ(areas[0].owner, "AREA HOME");
  EXPECT_EQ(areas[0].start, 0x0Eu);
  EXPECT_EQ(areas[0].end, 0x14u);
  EXPECT_EQ(areas[1].owner, "AREA CSEG");

  std::vector<CodeRange> code = areas;
  code.push_back(CodeRange{0x0000, 0x0003, "INTERRUPT VECTOR TABLE"});
  EXPECT_EQ(Messages(CheckCodeOverlaps(code)), "");
  code.push_back(CodeRange{0x0078, 0x0080, "tab.obj (TAB)"});
  code.push_back(CodeRange{0x0001, 0x0002, "start.obj (START)"});
  EXPECT_EQ(Messages(CheckCodeOverlaps(code)),
            "L224|ADDRESS: 0001H-0001H|CODE:    INTERRUPT VECTOR TABLE 0000H-0002H|CODE:    "
            "start.obj (START) 0001H-0001H; "
            "L224|ADDRESS: 0078H-0079H|CODE:    AREA CSEG 0070H-0079H|CODE:    tab.obj (TAB) "
            "0078H-007FH");
}

TEST(RelSymbols, AbsoluteCodeAreasWithTheirAddresses) {
  RelSymbols symbols;
  std::string err;
  ASSERT_TRUE(
      ScanRel("XH3\n"
              "M start\n"
              "A _CODE size 0 flags 0 addr 0\n"
              "A RSEG size 8 flags 8 addr 0\n"
              "A HOME size 1E flags 20 addr 0\n"
              "A CABS size 0 flags 28 addr 0\n"
              "A CABS0 size 3 flags 28 addr 0\n"
              "A CABS1 size 10 flags 28 addr 10B\n"
              "A XABS size 4 flags 48 addr 8000\n",
              &symbols, &err))
      << err;
  const std::vector<RelArea> absolute = AbsoluteCodeAreas(symbols);
  ASSERT_EQ(absolute.size(), 2u);
  EXPECT_EQ(absolute[0].name, "CABS0");
  EXPECT_EQ(absolute[1].address, 0x10Bu);
  EXPECT_EQ(absolute[1].size, 0x10u);
  EXPECT_EQ(AreaSize(symbols, "HOME"), 0x1Eu);
  EXPECT_EQ(AreaSize(symbols, "GSINIT"), 0u);
}

TEST(LibraryNames, BridgesOneArgumentMathAndExplainsTheRest) {
  EXPECT_EQ(FloatAlias("_sin"), "_sinf");
  // Two arguments cannot be bridged by a jump; sdcc's own names need none.
  for (const char* none : {"_pow", "_sinf", "sin", "_", "_sscanf"}) {
    EXPECT_EQ(FloatAlias(none), "") << none;
  }
  // The caller's hidden second-argument symbol gets the function's reason.
  EXPECT_EQ(MissingLibraryReason("_atan2_PARM_2"),
            "SDCC'S LIBRARY HAS NO atan2, ONLY ITS FLOAT VERSION atan2f");
  EXPECT_EQ(MissingLibraryReason("_putchar"),
            "SDCC'S LIBRARY HAS NO putchar: THE PROGRAM MUST DEFINE IT");
  EXPECT_EQ(MissingLibraryReason("_helper"), "");
}

}  // namespace
}  // namespace c51::sdcc
