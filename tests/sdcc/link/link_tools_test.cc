// BL51, Lib51 and OH51 run as processes on objects that sdcc compiles here,
// wrapped the way the compiler wraps them. Skipped without sdcc.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/fs.h"
#include "sdcc/link/ihx_image.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sim/controls.h"
#include "sim/dependency_record.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

// Sources in sdcc's own dialect: these tests need no compiler of ours.
struct Source {
  const char* name;
  const char* text;
  const char* options;                        // extra sdcc options
  std::vector<RelInterrupt> interrupts = {};  // as our compiler records them
};

const Source kSources[] = {
    {"main",
     "extern int helper(int);\n"
     "volatile unsigned char ticks;\n"
     "void timer0(void) __interrupt(1) __using(1) { ticks++; }\n"
     "void main(void) { while (1) ticks = helper(ticks); }\n",
     "",
     {{1, "_timer0"}}},
    {"helper", "int counter;\nint helper(int x) { counter++; return x + 1; }\n", ""},
    {"dup", "int counter;\nint helper(int x) { return x; }\n", ""},
    {"dbgone", "int counter;\nint helper(int x) { counter++; return x + 1; }\n", "--debug"},
    {"dbgtwo", "int counter;\nint helper(int x) { return x; }\n", "--debug"},
    {"extra", "int tripled(int a) { return a * 3; }\n", ""},
    {"unres", "extern void missing(void);\nvoid main(void) { missing(); }\n", ""},
    {"bigdata", "unsigned char buf[100];\nvoid main(void) { buf[1] = buf[2]; }\n", ""},
    {"bigcode",
     "__code unsigned char tab[600] = {1};\n"
     "unsigned char i;\nvoid main(void) { i = tab[i]; }\n",
     ""},
    {"huge", "int f(int a) { return a; }\n", "--model-huge"},
    {"plain", "volatile unsigned char n;\nvoid main(void) { while (1) n++; }\n", ""},
    {"timer",
     "__sfr __at(0x90) P1;\nvoid t0(void) __interrupt(1) { P1 ^= 1; }\n",
     "",
     {{1, "_t0"}}},
    {"timer1",
     "__sfr __at(0x90) P1;\nvoid t1(void) __interrupt(3) { P1 ^= 2; }\n",
     "",
     {{3, "_t1"}}},
    {"tick",
     "volatile unsigned char ticks;\nvoid tick(void) __interrupt(1) { ticks++; }\n",
     "",
     {{1, "_tick"}}},
    {"timerlib",
     "__sfr __at(0x90) P1;\nvoid t0(void) __interrupt(1) { P1 ^= 1; }\n"
     "void timer_start(void) { P1 = 0; }\n",
     "",
     {{1, "_t0"}}},
    {"uartlib",
     "__sfr __at(0x90) P1;\nvoid uart(void) __interrupt(4) { P1 ^= 4; }\n"
     "void uart_start(void) { P1 = 0; }\n",
     "",
     {{4, "_uart"}}},
    {"usetimer", "extern void timer_start(void);\nvoid main(void) { timer_start(); }\n", ""},
    {"tab1", "__code __at(0x0100) unsigned char tab1[2] = {1, 2};\n", ""},
    {"tab2", "__code __at(0x0101) unsigned char tab2[2] = {3, 4};\n", ""},
    {"scan",
     "extern int sscanf(const char* s, const char* f, ...);\n"
     "char text[4] = \"12\";\nint n;\nvoid main(void) { sscanf(text, \"%d\", &n); }\n",
     ""},
    {"trig",
     "float sin(float x);\nfloat sqrt(float x);\nvolatile float x = 0.5f, y;\n"
     "void main(void) { y = sin(x) + sqrt(x); }\n",
     ""},
    {"longlong", "volatile long long a = 3, b = 5, c;\nvoid main(void) { c = a * b; c /= a; }\n",
     ""},
};

// The message blocks of a tool's output: "***" lines and the indented
// detail lines under them, one per line, "\r" dropped.
std::string Messages(const std::string& output) {
  std::string out;
  bool in_block = false;
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find('\n', pos);
    if (end == std::string::npos) end = output.size();
    std::string line = output.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("***", 0) == 0) {
      in_block = true;
    } else if (!in_block || line.rfind("    ", 0) != 0) {
      in_block = false;
      continue;
    }
    out += line + "\n";
  }
  return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

class LinkToolsTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    sdcc_ = FindSdccProgram("sdcc");
    if (sdcc_.empty()) GTEST_SKIP() << "sdcc is not installed";
    bin_ = ExecutableDirectory() + "sdcctool/C51/BIN/";
    // The tools' scratch folders go here, so the tests see them removed.
    scratch_ = dir_.path() + "scratch/";
    ASSERT_TRUE(CreateDirectories(scratch_));
    had_tmpdir_ = GetEnv("TMPDIR", &saved_tmpdir_);
    SetEnv("TMPDIR", scratch_);
  }
  void TearDown() override {
    if (had_tmpdir_) {
      SetEnv("TMPDIR", saved_tmpdir_);
    } else {
      UnsetEnv("TMPDIR");
    }
  }

  std::string At(const std::string& name) const { return dir_.path() + name; }
  std::string Read(const std::string& name) const {
    std::string text, err;
    ReadWholeFile(At(name), &text, &err);
    return text;
  }
  void Write(const std::string& name, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(At(name), text, &err)) << err;
  }

  // Compiles kSources[name] to "<name>.rel" and wraps it as "<name>.obj";
  // CompileText does so for any source.
  void Compile(const std::string& name) {
    const Source* source = nullptr;
    for (const Source& s : kSources)
      if (name == s.name) source = &s;
    ASSERT_NE(source, nullptr) << name;
    CompileText(name, source->text, source->options, source->interrupts);
  }
  void CompileText(const std::string& name, const std::string& text, const std::string& options,
                   const std::vector<RelInterrupt>& interrupts) {
    ASSERT_NO_FATAL_FAILURE(Write(name + ".c", text));
    std::vector<std::string> args = {"-mmcs51", "-c", At(name + ".c"), "-o", dir_.path()};
    if (!options.empty()) args.insert(args.begin() + 1, options);
    const ProgramRun run = RunProgram(sdcc_, args);
    ASSERT_EQ(run.exit_code, 0) << run.output;
    RelModule module{c51::sim::ToUpper(name), At(name + ".c"), "C51", "SMALL",
                     Read(name + ".rel"),     interrupts};
    const std::string record = c51::sim::BuildDependencyRecord(
        "C51", {{c51::sim::kSourceEntry, 0, At(name + ".c")}}, nullptr);
    ASSERT_NO_FATAL_FAILURE(Write(name + ".obj", record + FormatRelModule(module)));
  }

  ProgramRun Tool(const char* tool, const std::vector<std::string>& args) {
    ProgramRun run = RunProgram(bin_ + tool, args);
    EXPECT_TRUE(run.started) << bin_ + tool;
    return run;
  }
  // Runs the tool on a command file holding `command`, "{D}" standing for
  // the test folder, ended with a NUL as the build writes it.
  ProgramRun WithCommandFile(const char* tool, const std::string& command) {
    Write("cmd.lnp", Replace(command, "{D}", dir_.path()) + std::string(1, '\0'));
    return Tool(tool, {"@" + At("cmd.lnp")});
  }

  bool ScratchIsEmpty() const { return std::filesystem::is_empty(std::filesystem::path(scratch_)); }

  test::ScopedTempDir dir_{"c51sdcclink"};
  std::string sdcc_, bin_, scratch_, saved_tmpdir_;
  bool had_tmpdir_ = false;
};

// The lowest address of the data records of an Intel HEX text.
uint32_t LowestAddress(const std::string& hex) {
  uint32_t lowest = 0xFFFFFFFF;
  size_t pos = 0;
  while ((pos = hex.find(':', pos)) != std::string::npos) {
    if (hex.compare(pos + 7, 2, "00") == 0) {
      lowest =
          std::min(lowest, static_cast<uint32_t>(std::stoul(hex.substr(pos + 3, 4), nullptr, 16)));
    }
    ++pos;
  }
  return lowest;
}

TEST_F(LinkToolsTest, TwoModulesLinkIntoTheImageSdccMakes) {
  const struct {
    const char* code;
    std::vector<std::string> sdcc_args;
    uint32_t lowest;
  } kPlacements[] = {
      {"CODE( 0x0000-0x1FFF )", {"--code-loc", "0x0000", "--code-size", "0x2000"}, 0},
      {"CODE( 0x0800-0x1FFF )", {"--code-loc", "0x0800", "--code-size", "0x1800"}, 0x800},
  };
  ASSERT_NO_FATAL_FAILURE(Compile("main"));
  ASSERT_NO_FATAL_FAILURE(Compile("helper"));
  for (const auto& placement : kPlacements) {
    SCOPED_TRACE(placement.code);
    const ProgramRun link = WithCommandFile(
        "BL51.exe", "\"{D}main.obj\",\n\"{D}helper.obj\" \nTO \"{D}prog\"\n\nRAMSIZE(256)\n" +
                        std::string(placement.code) + "\n");
    EXPECT_EQ(link.exit_code, 0) << link.output;
    EXPECT_EQ(Messages(link.output), "");
    EXPECT_NE(link.output.find("\r\nProgram Size: data="), std::string::npos) << link.output;
    EXPECT_NE(link.output.find("\r\nLINK/LOCATE RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)\r\n"),
              std::string::npos)
        << link.output;
    const std::string map = Read("prog.M51");
    EXPECT_NE(map.find("main.obj (MAIN)\r\n"), std::string::npos) << map;
    EXPECT_NE(map.find("helper.obj (HELPER)\r\n"), std::string::npos) << map;
    EXPECT_NE(map.find(" CODE     helper "), std::string::npos) << map;
    EXPECT_TRUE(ScratchIsEmpty());

    const ProgramRun hex = Tool("OH51.exe", {At("prog"), "HEXFILE(" + At("prog.hex") + ")"});
    ASSERT_EQ(hex.exit_code, 0) << hex.output;
    EXPECT_EQ(LowestAddress(Read("prog.hex")), placement.lowest);

    // The same objects linked by sdcc directly, packed by packihx; makebin
    // turns both into memory images.
    std::vector<std::string> args = {"-mmcs51", "-o", At("ref.ihx"), At("main.rel"),
                                     At("helper.rel")};
    args.insert(args.begin() + 1, placement.sdcc_args.begin(), placement.sdcc_args.end());
    ASSERT_EQ(RunProgram(sdcc_, args).exit_code, 0);
    ASSERT_EQ(RunProgram("/bin/sh", {"-c", "packihx \"$1\" > \"$2\" 2>/dev/null", "sh",
                                     At("ref.ihx"), At("ref.hex")})
                  .exit_code,
              0);
    const std::string makebin = FindSdccProgram("makebin");
    ASSERT_FALSE(makebin.empty());
    ASSERT_EQ(RunProgram(makebin, {At("ref.hex"), At("ref.bin")}).exit_code, 0);
    ASSERT_EQ(RunProgram(makebin, {At("prog.hex"), At("prog.bin")}).exit_code, 0);
    EXPECT_FALSE(Read("prog.bin").empty());
    EXPECT_TRUE(Read("prog.bin") == Read("ref.bin"));
  }
}

TEST_F(LinkToolsTest, LinkerMessagesInTheLinkerLayout) {
  const struct {
    const char* name;
    std::vector<std::string> objects;
    const char* command;  // after the object list
    const char* messages;
    int exit_code;
    bool program;
  } kCases[] = {
      {"unresolved",
       {"unres"},
       "TO \"{D}prog\"",
       "*** WARNING L1: UNRESOLVED EXTERNAL SYMBOL\n"
       "    SYMBOL:  missing\n"
       "    MODULE:  {D}unres.obj (UNRES)\n",
       1,
       true},
      {"unresolved, disabled", {"unres"}, "TO \"{D}prog\" DISABLEWARNING(1)", "", 0, true},
      {"duplicate",
       {"main", "helper", "dup"},
       "TO \"{D}prog\"",
       "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
       "    SYMBOL:  counter\n"
       "    MODULE:  {D}helper.obj (HELPER)\n"
       "    MODULE:  {D}dup.obj (DUP)\n"
       "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
       "    SYMBOL:  helper\n"
       "    MODULE:  {D}helper.obj (HELPER)\n"
       "    MODULE:  {D}dup.obj (DUP)\n",
       2,
       false},
      // With debug records each name is still one error.
      {"duplicate, debug",
       {"main", "dbgone", "dbgtwo"},
       "TO \"{D}prog\"",
       "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
       "    SYMBOL:  counter\n"
       "    MODULE:  {D}dbgone.obj (DBGONE)\n"
       "    MODULE:  {D}dbgtwo.obj (DBGTWO)\n"
       "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
       "    SYMBOL:  helper\n"
       "    MODULE:  {D}dbgone.obj (DBGONE)\n"
       "    MODULE:  {D}dbgtwo.obj (DBGTWO)\n",
       2,
       false},
      {"bank area",
       {"main", "helper"},
       "TO \"{D}prog\"\nBankArea(0x8000,0xFFFF)\n",
       "*** ERROR L130: CODE BANKING NOT SUPPORTED BY THIS LINKER\n"
       "    CONTROL: BANKAREA(0x8000,0xFFFF)\n",
       2,
       false},
      {"banked module",
       {"main", "huge"},
       "TO \"{D}prog\"",
       "*** ERROR L130: CODE BANKING NOT SUPPORTED BY THIS LINKER\n"
       "    MODULE:  {D}huge.obj (HUGE)\n"
       "    REASON:  BANKED OBJECT\n",
       2,
       false},
      {"code overflow",
       {"bigcode"},
       "TO \"{D}prog\" CODE(0-0xFF)",
       "*** ERROR L107: ADDRESS SPACE OVERFLOW\n"
       "    SPACE:   CODE\n"
       "    REASON:  Insufficient ROM/EPROM/FLASH memory.\n",
       2,
       false},
      {"one interrupt number in two files",
       {"plain", "timer", "tick"},
       "TO \"{D}prog\"",
       "*** ERROR L223: INTERRUPT NUMBER USED TWICE\n"
       "    VECTOR:  000BH (INTERRUPT 1)\n"
       "    SYMBOL:  t0\n"
       "    MODULE:  {D}timer.obj (TIMER)\n"
       "    SYMBOL:  tick\n"
       "    MODULE:  {D}tick.obj (TICK)\n",
       2,
       false},
      {"two tables at one address",
       {"plain", "tab1", "tab2"},
       "TO \"{D}prog\"",
       "*** ERROR L224: CODE SPACE OVERLAP\n"
       "    ADDRESS: 0101H-0101H\n"
       "    CODE:    {D}tab1.obj (TAB1) 0100H-0101H\n"
       "    CODE:    {D}tab2.obj (TAB2) 0101H-0102H\n",
       2,
       false},
      {"a function sdcc's library lacks",
       {"scan"},
       "TO \"{D}prog\"",
       "*** WARNING L1: UNRESOLVED EXTERNAL SYMBOL\n"
       "    SYMBOL:  sscanf\n"
       "    MODULE:  {D}scan.obj (SCAN)\n"
       "    REASON:  SDCC'S LIBRARY HAS NO sscanf\n",
       1,
       true},
      {"float functions by their plain names", {"trig"}, "TO \"{D}prog\"", "", 0, true},
      {"long long arithmetic", {"longlong"}, "TO \"{D}prog\"", "", 0, true},
      {"data overflow",
       {"bigdata"},
       "TO \"{D}prog\" RAMSIZE(64)",
       "*** ERROR L107: ADDRESS SPACE OVERFLOW\n"
       "    SPACE:   DATA\n"
       "    REASON:  Could not get 100 consecutive bytes in internal RAM for area DSEG.\n",
       2,
       false},
  };
  for (const Source& source : kSources) ASSERT_NO_FATAL_FAILURE(Compile(source.name));
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    // A program from an earlier run must not survive a failed one.
    Write("prog", "stale");
    std::string list;
    for (const std::string& object : c.objects)
      list += (list.empty() ? "" : ",\n") + ("\"{D}" + object + ".obj\"");
    const ProgramRun link = WithCommandFile("BL51.exe", list + " \n" + c.command + "\n");
    EXPECT_EQ(link.exit_code, c.exit_code) << link.output;
    EXPECT_EQ(Messages(link.output), Replace(c.messages, "{D}", dir_.path())) << link.output;
    EXPECT_EQ(Read("prog").rfind("SIMABS 1\n", 0) == 0, c.program);
    EXPECT_EQ(PathExists(At("prog")), c.program);
    EXPECT_TRUE(ScratchIsEmpty());
  }
  // Banked input groups are refused the same way.
  const ProgramRun banked =
      WithCommandFile("BL51.exe", "\"{D}main.obj\",\nBANK1 {\"{D}helper.obj\"} \nTO \"{D}prog\"\n");
  EXPECT_EQ(banked.exit_code, 2);
  EXPECT_EQ(Messages(banked.output),
            "*** ERROR L130: CODE BANKING NOT SUPPORTED BY THIS LINKER\n    FILE:    " +
                At("helper.obj") + "\n    BANK:    1\n");
}

// The code memory of an Intel HEX file, by address.
std::map<uint32_t, uint8_t> Image(const std::string& hex) {
  std::vector<c51::sim::HexChunk> runs;
  std::string err;
  EXPECT_TRUE(ReadIntelHex(hex, &runs, &err)) << err;
  std::map<uint32_t, uint8_t> image;
  for (const c51::sim::HexChunk& run : runs) {
    for (size_t i = 0; i < run.bytes.size(); ++i) image[run.address + i] = run.bytes[i];
  }
  return image;
}

// "LJMP 0x1234" for the three bytes at `address`; "-" where there are none.
std::string JumpAt(const std::map<uint32_t, uint8_t>& image, uint32_t address) {
  std::string bytes;
  for (uint32_t a = address; a < address + 3; ++a) {
    const auto found = image.find(a);
    if (found == image.end()) return "-";
    bytes.push_back(static_cast<char>(found->second));
  }
  if (static_cast<uint8_t>(bytes[0]) != 0x02) return "not a jump";
  char text[32];
  snprintf(text, sizeof text, "LJMP 0x%02X%02X", static_cast<uint8_t>(bytes[1]),
           static_cast<uint8_t>(bytes[2]));
  return text;
}

// The jump to a symbol the linker's map lists: "  0012H     CODE     t0 ...".
std::string JumpTo(const std::string& map, const std::string& symbol) {
  const size_t at = map.find("     CODE     " + symbol + " ");
  if (at == std::string::npos || at < 7) return "no " + symbol + " in the map";
  return "LJMP 0x" + map.substr(at - 5, 4);
}

TEST_F(LinkToolsTest, EveryObjectsInterruptGetsItsVector) {
  for (const char* name : {"plain", "timer", "timer1", "main", "helper"})
    ASSERT_NO_FATAL_FAILURE(Compile(name));
  // Both routines outside the main module: the linker lays the table down.
  ProgramRun link = WithCommandFile(
      "BL51.exe", "\"{D}plain.obj\", \"{D}timer.obj\", \"{D}timer1.obj\" TO \"{D}prog\"");
  ASSERT_EQ(link.exit_code, 0) << link.output;
  EXPECT_EQ(Messages(link.output), "");
  ASSERT_EQ(Tool("OH51.exe", {At("prog"), "HEXFILE(" + At("prog.hex") + ")"}).exit_code, 0);
  std::map<uint32_t, uint8_t> image = Image(Read("prog.hex"));
  std::string map = Read("prog.M51");
  EXPECT_EQ(JumpAt(image, 0x0B), JumpTo(map, "t0"));
  EXPECT_EQ(JumpAt(image, 0x1B), JumpTo(map, "t1"));
  EXPECT_EQ(image[0x03], 0x32);  // reti
  EXPECT_EQ(image[0x13], 0x32);
  EXPECT_NE(JumpAt(image, 0x00).find("LJMP"), std::string::npos);
  EXPECT_NE(map.find("INTERRUPT VECTORS:\r\n"), std::string::npos) << map;
  EXPECT_NE(map.find("  001BH     3          t1 "), std::string::npos) << map;
  EXPECT_TRUE(ScratchIsEmpty());

  // Code placed higher takes the table along, as sdcc's own.
  link = WithCommandFile("BL51.exe",
                         "\"{D}plain.obj\", \"{D}timer.obj\" TO \"{D}prog\" CODE(0x4000-0x7FFF)");
  ASSERT_EQ(link.exit_code, 0) << link.output;
  ASSERT_EQ(Tool("OH51.exe", {At("prog"), "HEXFILE(" + At("prog.hex") + ")"}).exit_code, 0);
  image = Image(Read("prog.hex"));
  EXPECT_EQ(JumpAt(image, 0x400B), JumpTo(Read("prog.M51"), "t0"));
  EXPECT_EQ(image.begin()->first, 0x4000u);

  // A routine beside main() is sdcc's to place: no table of the linker's.
  link = WithCommandFile("BL51.exe", "\"{D}main.obj\", \"{D}helper.obj\" TO \"{D}prog\"");
  ASSERT_EQ(link.exit_code, 0) << link.output;
  EXPECT_EQ(Read("prog.M51").find("INTERRUPT VECTORS:"), std::string::npos);
}

// A module of interrupt routines named <prefix><number>, with main() when
// `with_main`.
void RoutinesSource(const char* prefix, const std::vector<uint32_t>& numbers, bool with_main,
                    std::string* text, std::vector<RelInterrupt>* interrupts) {
  *text = "__sfr __at(0x90) P1;\n";
  for (uint32_t n : numbers) {
    const std::string name = prefix + std::to_string(n);
    *text += "void " + name + "(void) __interrupt(" + std::to_string(n) +
             ") { P1 = " + std::to_string(n) + "; }\n";
    interrupts->push_back({n, "_" + name});
  }
  if (with_main) *text += "void main(void) { while (1) P1++; }\n";
}

TEST_F(LinkToolsTest, RoutinesBesideMainAndInOtherFilesAllGetTheirVectors) {
  const struct {
    std::vector<uint32_t> in_main;
    std::vector<uint32_t> elsewhere;
  } kCases[] = {
      {{1}, {8}},  {{1}, {0}},       {{0, 2}, {1, 12}},    {{12}, {1}},
      {{5}, {31}}, {{20}, {2, 9}},   {{1, 8}, {0, 2, 12}}, {{}, {8, 31}},
      {{31}, {0}}, {{3}, {4, 5, 6}}, {{0}, {1}},           {{3, 12}, {}},
  };
  for (const auto& c : kCases) {
    const std::string trace = testing::PrintToString(c.in_main) + " beside main(), " +
                              testing::PrintToString(c.elsewhere) + " elsewhere";
    SCOPED_TRACE(trace);
    std::string text;
    std::vector<RelInterrupt> interrupts;
    RoutinesSource("m", c.in_main, true, &text, &interrupts);
    ASSERT_NO_FATAL_FAILURE(CompileText("mainisr", text, "", interrupts));
    text.clear();
    interrupts.clear();
    RoutinesSource("o", c.elsewhere, false, &text, &interrupts);
    ASSERT_NO_FATAL_FAILURE(CompileText("otherisr", text, "", interrupts));

    const ProgramRun link =
        WithCommandFile("BL51.exe", "\"{D}mainisr.obj\", \"{D}otherisr.obj\" TO \"{D}prog\"");
    ASSERT_EQ(link.exit_code, 0) << link.output;
    EXPECT_EQ(Messages(link.output), "");
    ASSERT_EQ(Tool("OH51.exe", {At("prog"), "HEXFILE(" + At("prog.hex") + ")"}).exit_code, 0);
    std::map<uint32_t, uint8_t> image = Image(Read("prog.hex"));
    const std::string map = Read("prog.M51");
    uint32_t highest = 0;
    for (const auto& [prefix, numbers] : {std::pair{"m", c.in_main}, {"o", c.elsewhere}}) {
      for (uint32_t n : numbers) {
        EXPECT_EQ(JumpAt(image, 3 + 8 * n), JumpTo(map, prefix + std::to_string(n))) << n;
        highest = std::max(highest, n);
      }
    }
    // The vectors nobody uses below the highest return at once.
    for (uint32_t n = 0; n < highest; ++n) {
      if (std::count(c.in_main.begin(), c.in_main.end(), n) == 0 &&
          std::count(c.elsewhere.begin(), c.elsewhere.end(), n) == 0) {
        EXPECT_EQ(image[3 + 8 * n], 0x32) << n;
      }
    }
    // The reset reaches sdcc's start-up code, which ends in a jump to main.
    const std::string reset = JumpAt(image, 0);
    ASSERT_EQ(reset.rfind("LJMP 0x", 0), 0u) << reset;
    EXPECT_GT(std::stoul(reset.substr(7), nullptr, 16), 3 + 8 * highest) << reset;
  }
}

TEST_F(LinkToolsTest, ALibraryModulesInterruptGetsItsVectorWhenTheModuleIsLinked) {
  for (const char* name : {"usetimer", "timerlib", "uartlib"})
    ASSERT_NO_FATAL_FAILURE(Compile(name));
  ASSERT_EQ(WithCommandFile("Lib51.exe",
                            "TRANSFER \"{D}timerlib.obj\", \"{D}uartlib.obj\" TO \"{D}drv.lib\"")
                .exit_code,
            0);
  const ProgramRun link =
      WithCommandFile("BL51.exe", "\"{D}usetimer.obj\", \"{D}drv.lib\" TO \"{D}prog\"");
  ASSERT_EQ(link.exit_code, 0) << link.output;
  EXPECT_EQ(Messages(link.output), "");
  ASSERT_EQ(Tool("OH51.exe", {At("prog"), "HEXFILE(" + At("prog.hex") + ")"}).exit_code, 0);
  const std::map<uint32_t, uint8_t> image = Image(Read("prog.hex"));
  const std::string map = Read("prog.M51");
  EXPECT_EQ(JumpAt(image, 0x0B), JumpTo(map, "t0"));
  // The UART module is not linked, and neither is its vector.
  EXPECT_EQ(map.find("(UARTLIB)"), std::string::npos) << map;
  EXPECT_NE(JumpAt(image, 0x23), JumpTo(map, "uart"));
  EXPECT_EQ(map.find(" uart "), std::string::npos) << map;
}

TEST_F(LinkToolsTest, LibraryFromTransferLinksOnlyTheModulesUsed) {
  for (const char* name : {"main", "helper", "extra", "dup"})
    ASSERT_NO_FATAL_FAILURE(Compile(name));
  const ProgramRun lib = WithCommandFile(
      "Lib51.exe", "TRANSFER \n\"{D}helper.obj\",\n\"{D}extra.obj\" \nTO \"{D}my.lib\"\n");
  ASSERT_EQ(lib.exit_code, 0) << lib.output;
  EXPECT_EQ(Read("my.lib").rfind(std::string(kRelLibraryHeader), 0), 0u);

  const ProgramRun link =
      WithCommandFile("BL51.exe", "\"{D}main.obj\",\n\"{D}my.lib\" \nTO \"{D}prog\"\n");
  EXPECT_EQ(link.exit_code, 0) << link.output;
  const std::string map = Read("prog.M51");
  EXPECT_NE(map.find("my.lib (HELPER)"), std::string::npos) << map;
  EXPECT_EQ(map.find("(EXTRA)"), std::string::npos) << map;

  // Two definitions of one symbol make no library, and remove an old one.
  const ProgramRun clash =
      WithCommandFile("Lib51.exe", "TRANSFER \"{D}helper.obj\", \"{D}dup.obj\" TO \"{D}my.lib\"");
  EXPECT_EQ(clash.exit_code, 2) << clash.output;
  EXPECT_NE(clash.output.find("*** ERROR 213: DUPLICATE PUBLIC SYMBOL\r\n    SYMBOL:  counter\r\n"),
            std::string::npos)
      << clash.output;
  EXPECT_FALSE(PathExists(At("my.lib")));
  // The linker is no library manager, nor the other way round.
  EXPECT_EQ(WithCommandFile("BL51.exe", "TRANSFER \"{D}main.obj\" TO \"{D}x.lib\"").exit_code, 3);
  EXPECT_EQ(WithCommandFile("Lib51.exe", "\"{D}main.obj\" TO \"{D}x\"").exit_code, 2);
}

TEST_F(LinkToolsTest, TheOriginalRunTimeLibrariesAreLeftOutForSdccs) {
  ASSERT_NO_FATAL_FAILURE(Compile("main"));
  ASSERT_NO_FATAL_FAILURE(Compile("helper"));
  // One that exists here, but is no library of relocatables.
  Write("C51FPS.LIB", std::string("\x2C\x00\x10not a library of ours", 23));
  const struct {
    const char* name;
    const char* libraries;
    int exit_code;
    const char* messages;
  } kCases[] = {
      {"absolute Windows paths", "\"C:/Keil/C51/LIB/C51S.LIB\", \"C:\\KEIL\\C51\\LIB\\c51fpl.lib\"",
       0, ""},
      {"beside the project", "\"{D}C51FPS.LIB\", \"{D}C51L.Lib\"", 0, ""},
      {"another missing library", "\"C:/Keil/C51/LIB/C51S.LIB\", \"C:/Keil/C51/LIB/MY.LIB\"", 3,
       "*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:\n    FILE:    C:/Keil/C51/LIB/MY.LIB\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const ProgramRun link =
        WithCommandFile("BL51.exe", std::string("\"{D}main.obj\", ") + c.libraries +
                                        ", \"{D}helper.obj\" TO \"{D}prog\"");
    EXPECT_EQ(link.exit_code, c.exit_code) << link.output;
    EXPECT_EQ(Messages(link.output), c.messages);
    if (c.exit_code != 0) continue;
    // Both objects linked, with sdcc's run-time library for the model.
    const std::string map = Read("prog.M51");
    EXPECT_NE(map.find("helper.obj (HELPER)"), std::string::npos) << map;
    EXPECT_EQ(map.find("C51"), std::string::npos) << map;
    EXPECT_TRUE(ScratchIsEmpty());
  }
}

TEST_F(LinkToolsTest, ForeignOrCutInputIsAClearErrorNeverACrash) {
  ASSERT_NO_FATAL_FAILURE(Compile("main"));
  const std::string object = Read("main.obj");
  RelModule not_rel{"X", "x.c", "C51", "SMALL", "hello\n"};
  const struct {
    const char* name;
    std::string bytes;
    const char* linker_code;
  } kInputs[] = {
      {"cut", object.substr(0, object.size() / 2), "L211"},
      {"empty", "", "L211"},
      {"simulated", "SIMOBJ 1\nMODULE M\nEND\n", "L211"},
      {"text", "int main;\n", "L211"},
      {"not a relocatable", FormatRelModule(not_rel), "L211"},
      {"library of one", std::string(kRelLibraryHeader) + FormatRelModule(not_rel), "L211"},
  };
  for (const auto& input : kInputs) {
    SCOPED_TRACE(input.name);
    Write("bad.obj", input.bytes);
    const ProgramRun link = WithCommandFile("BL51.exe", "\"{D}bad.obj\" TO \"{D}prog\"");
    EXPECT_EQ(link.exit_code, 3) << link.output;
    EXPECT_NE(link.output.find("*** FATAL ERROR " + std::string(input.linker_code) +
                               ": INVALID OBJECT FILE\r\n"),
              std::string::npos)
        << link.output;
    const ProgramRun lib = WithCommandFile("Lib51.exe", "TRANSFER \"{D}bad.obj\" TO \"{D}x.lib\"");
    EXPECT_EQ(lib.exit_code, 2) << lib.output;
    EXPECT_NE(lib.output.find("*** ERROR 211: INVALID OBJECT FILE\r\n"), std::string::npos);
    Write("bad", input.bytes);
    const ProgramRun hex = Tool("OH51.exe", {At("bad")});
    EXPECT_EQ(hex.exit_code, 3) << hex.output;
    EXPECT_NE(hex.output.find("*** FATAL ERROR: "), std::string::npos) << hex.output;
  }
  const ProgramRun missing = WithCommandFile("BL51.exe", "\"{D}none.obj\" TO \"{D}prog\"");
  EXPECT_EQ(missing.exit_code, 3);
  EXPECT_NE(missing.output.find("*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace c51::sdcc
