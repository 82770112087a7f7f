// BL51, Lib51 and OH51 run as processes on objects that sdcc compiles here,
// wrapped the way the compiler wraps them. Skipped without sdcc.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/fs.h"
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
  const char* options;  // extra sdcc options
};

const Source kSources[] = {
    {"main",
     "extern int helper(int);\n"
     "volatile unsigned char ticks;\n"
     "void timer0(void) __interrupt(1) __using(1) { ticks++; }\n"
     "void main(void) { while (1) ticks = helper(ticks); }\n",
     ""},
    {"helper", "int counter;\nint helper(int x) { counter++; return x + 1; }\n", ""},
    {"dup", "int counter;\nint helper(int x) { return x; }\n", ""},
    {"extra", "int tripled(int a) { return a * 3; }\n", ""},
    {"unres", "extern void missing(void);\nvoid main(void) { missing(); }\n", ""},
    {"bigdata", "unsigned char buf[100];\nvoid main(void) { buf[1] = buf[2]; }\n", ""},
    {"bigcode",
     "__code unsigned char tab[600] = {1};\n"
     "unsigned char i;\nvoid main(void) { i = tab[i]; }\n",
     ""},
    {"huge", "int f(int a) { return a; }\n", "--model-huge"},
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

  // Compiles kSources[name] to "<name>.rel" and wraps it as "<name>.obj".
  void Compile(const std::string& name) {
    const Source* source = nullptr;
    for (const Source& s : kSources)
      if (name == s.name) source = &s;
    ASSERT_NE(source, nullptr) << name;
    ASSERT_NO_FATAL_FAILURE(Write(name + ".c", source->text));
    std::vector<std::string> args = {"-mmcs51", "-c", At(name + ".c"), "-o", dir_.path()};
    if (*source->options) args.insert(args.begin() + 1, source->options);
    const ProgramRun run = RunProgram(sdcc_, args);
    ASSERT_EQ(run.exit_code, 0) << run.output;
    RelModule module{c51::sim::ToUpper(name), At(name + ".c"), "C51", "SMALL", Read(name + ".rel")};
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
