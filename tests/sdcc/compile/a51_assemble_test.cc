// Classic assembly through the toolchain's A51.exe, as the build runs it:
// the bytes sdas8051 makes of the translation, the object a start-up file
// gives the linker, errors at the user's file and line, and a start-up file
// with C and assembly modules linked and run in sdcc's 8051 simulator.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/env.h"
#include "platform/fs.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sim/files.h"
#include "support/temp_dir.h"
#include "tools/record_reader.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

using test::ToolRun;

// The "***" lines of a tool's output, each ended by "\n".
std::string StarLines(const std::string& output) {
  std::string out;
  size_t pos = 0;
  while (pos < output.size()) {
    size_t end = output.find("\r\n", pos);
    if (end == std::string::npos) end = output.size();
    const std::string line = output.substr(pos, end - pos);
    if (line.find("***") != std::string::npos) out += line + "\n";
    pos = end + 2;
  }
  return out;
}

// The bytes of the "T" records of a relocatable, after their addresses, as
// one text: "02 00 00 74 05".
std::string CodeBytes(const std::string& rel) {
  std::string bytes;
  size_t pos = 0;
  while ((pos = rel.find("\nT ", pos)) != std::string::npos) {
    const size_t end = rel.find('\n', pos + 1);
    const std::string record = rel.substr(pos + 3, end - pos - 3);
    if (record.size() > 9) bytes += (bytes.empty() ? "" : " ") + record.substr(9);
    pos = end;
  }
  return bytes;
}

class A51ClassicTest : public testing::Test {
 protected:
  void SetUp() override {
    if (FindSdccProgram("sdcc").empty() || FindSdccProgram("sdas8051").empty()) {
      GTEST_SKIP() << "sdcc is not installed";
    }
    ASSERT_FALSE(dir_.path().empty());
    const std::string root = ExecutableDirectory() + "sdcctool/C51/";
    bin_ = root + "BIN/";
    had_c51inc_ = GetEnv("C51INC", &saved_c51inc_);
    ASSERT_TRUE(SetEnv("C51INC", root + "INC/"));
  }
  void TearDown() override {
    if (had_c51inc_) {
      SetEnv("C51INC", saved_c51inc_);
    } else {
      UnsetEnv("C51INC");
    }
  }

  std::string At(const std::string& rel) const { return dir_.path() + rel; }
  void Write(const std::string& rel, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(At(rel), text, &err)) << err;
  }
  std::string Read(const std::string& rel) {
    std::string text, err;
    EXPECT_EQ(ReadStatus::kOkay, ReadWholeFile(At(rel), &text, &err)) << err;
    return text;
  }
  void CopyData(const std::string& name) {
    std::error_code ec;
    const std::string to = At(std::filesystem::path(name).filename().string());
    std::filesystem::copy_file(C51_SDCC_ASM_DATA_DIR + name, to, ec);
    ASSERT_FALSE(ec) << name << ": " << ec.message();
  }
  ToolRun Run(const char* tool, const std::string& args) {
    ToolRun run;
    std::string err;
    EXPECT_TRUE(test::RunCommandLine("\"" + bin_ + tool + "\" " + args, dir_.path(), &run, &err))
        << err;
    return run;
  }
  // The relocatable in an object; empty (and a failure) when there is none.
  std::string Rel(const std::string& object) {
    std::vector<RelModule> modules;
    std::string err;
    EXPECT_TRUE(ParseRelModules(Read(object), &modules, &err)) << err;
    return modules.size() == 1 ? modules[0].rel : std::string();
  }

  test::ScopedTempDir dir_{"c51a51classic"};
  std::string bin_;
  bool had_c51inc_ = false;
  std::string saved_c51inc_;
};

// The object of a start-up file holds what the linker needs to put its
// reset jump at address 0: an absolute code area there, 3 bytes long, with
// "LJMP STARTUP1", and a reference to sdcc's start-up for ?C_START.
TEST_F(A51ClassicTest, StartUpFileGivesTheLinkerItsResetJump) {
  CopyData("startup/STARTUP.A51");
  CopyData("startup/MCU.INC");
  const ToolRun run = Run("A51.exe", "\"STARTUP.A51\" SET (SMALL) DEBUG EP");
  ASSERT_EQ(0, run.exit_code) << run.output;
  const std::string rel = Rel("STARTUP.obj");
  EXPECT_NE(std::string::npos, rel.find("\nM $C_STARTUP\n")) << rel;
  EXPECT_NE(std::string::npos, rel.find("\nS __sdcc_gsinit_startup Ref000000\n")) << rel;
  // Flags 28: absolute code. The jump's address is relocated (r).
  EXPECT_NE(std::string::npos, rel.find("\nA CABS_0A0 size 3 flags 28 addr 0\n")) << rel;
  EXPECT_NE(std::string::npos, rel.find("\nT 00 00 00 02 00 00\n")) << rel;
  EXPECT_NE(std::string::npos, rel.find("\nS $C_STARTUP Def000000\n")) << rel;
  // The stack segment joins sdcc's indirect RAM, which its stack stays clear of.
  EXPECT_NE(std::string::npos, rel.find("\nA ISEG size 1 flags 0 addr 0\n")) << rel;
  // The include is recorded, and the user's files are left as they were.
  const sim::ReadBack record = sim::ReadRecord(Read("STARTUP.obj"));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ(std::vector<std::string>{At("MCU.INC")}, record.headers);
  std::string original, err;
  ASSERT_EQ(ReadStatus::kOkay,
            ReadWholeFile(C51_SDCC_ASM_DATA_DIR "startup/MCU.INC", &original, &err));
  EXPECT_EQ(original, Read("MCU.INC"));
}

// What each construct assembles to, checked in sdas8051's bytes, so the
// translation is right about meaning as well as form.
TEST_F(A51ClassicTest, ConstructsAssembleToTheirClassicMeaning) {
  const std::string source =
      "; no include: the mirror hands sdas8051 a link to this very file\n"
      "LED     BIT   P1.3\n"
      "FLAG    BIT   20H.3\n"
      "CNT     EQU   R6\n"
      "N       EQU   1 + 2 SHL 1\n"
      "        CSEG  AT 100H\n"
      "Start:  MOV   A,#N\n"
      "        SETB  LED\n"
      "        CLR   FLAG\n"
      "        USING 2\n"
      "        PUSH  AR7\n"
      "        DJNZ  CNT,START\n"
      "        MOV   A,#HIGH 1234H\n"
      "        JMP   start\n"
      "        DW    1234H\n"
      "        DB    'AB',0\n"
      "IF N EQ 5\n"
      "        DB    1\n"
      "ELSE\n"
      "        DB    2\n"
      "ENDIF\n"
      "        END\n";
  Write("bytes.a51", source);
  const ToolRun run = Run("A51.exe", "\"bytes.a51\" SET (SMALL)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  const std::string rel = Rel("bytes.obj");
  // 74 05: N is 5, not sdas8051's 6. D2 93, C2 03: bit addresses. C0 17:
  // AR7 of bank 2. DE F7: DJNZ R6 to Start, whatever the case. 02 01 00:
  // the long jump. 12 34: high byte first. Then "AB", 0 and the IF's 1.
  EXPECT_EQ("74 05 D2 93 C2 03 C0 17 DE F6 74 12 02 01 00 12 34 41 42 00 01", CodeBytes(rel))
      << rel;
  EXPECT_EQ(source, Read("bytes.a51"));
}

TEST_F(A51ClassicTest, RefusedConstructsAreErrorsAtTheUsersFileAndLine) {
  Write("defs.inc", "; shared definitions\nWIDTH   EQU 8\n\tALIGN 2\n");
  Write("main.a51",
        "$INCLUDE (defs.inc)\n\tCSEG AT 0\nDELAY MACRO\n\tNOP\n\tENDM\n"
        "\tMOV A,#WIDTH\n\tSJMP $\n\tENDM\n");
  Write("main.obj", "left from an earlier run");
  const ToolRun run = Run("A51.exe", "\"main.a51\" SET (SMALL) OBJECT(main.obj)");
  EXPECT_EQ(2, run.exit_code) << run.output;
  EXPECT_EQ(
      "*** ERROR #A99 IN 8 (main.a51, LINE 8): 'ENDM' OUTSIDE A MACRO\n"
      "*** ERROR #A99 IN 3 (defs.inc, LINE 3): DIRECTIVE 'ALIGN' IS NOT SUPPORTED\n",
      StarLines(run.output));
  EXPECT_NE(std::string::npos,
            run.output.find("\r\nASSEMBLY COMPLETE.  0 WARNING(S),  2 ERROR(S)\r\n"));
  EXPECT_FALSE(PathExists(At("main.obj")));

  // sdas8051's own messages point at the user's line as well.
  Write("undef.a51", "\tCSEG AT 0\n\n\tLJMP Nowhere\n");
  const ToolRun undefined = Run("A51.exe", "\"undef.a51\"");
  EXPECT_EQ(2, undefined.exit_code);
  EXPECT_EQ(
      "*** ERROR #A45 IN 3 (undef.a51, LINE 3): UNDEFINED SYMBOL ENCOUNTERED DURING ASSEMBLY\n",
      StarLines(undefined.output));
}

// Both syntaxes read the C register headers the C sources use.
TEST_F(A51ClassicTest, ReadsTheCRegisterHeaders) {
  Write("classic.a51", "#include <reg52.h>\n\tCSEG AT 0\n\tSETB TF2\n\tMOV T2CON,#0\n");
  Write("sdas.a51",
        "\t.module sdas\n#include <REG52.H>\n\t.area CSEG (CODE)\n\tsetb TF2\n\tmov T2CON,#0\n");
  // The classic register file, named in another letter case than shipped.
  Write("inc.a51", "$NOMOD51\n$INCLUDE (reg52.inc)\n\tCSEG AT 0\n\tSETB TF2\n\tMOV T2CON,#0\n");
  for (const char* name : {"classic", "sdas", "inc"}) {
    SCOPED_TRACE(name);
    const ToolRun run = Run("A51.exe", "\"" + std::string(name) + ".a51\"");
    ASSERT_EQ(0, run.exit_code) << run.output;
    // SETB 0CFH, MOV 0C8H,#0.
    EXPECT_EQ("D2 CF 75 C8 00", CodeBytes(Rel(std::string(name) + ".obj")));
  }
}

// A start-up file and an assembly routine in the classic syntax, a C main
// compiled by the toolchain, linked by its linker and run in s51: the reset
// jump reaches the start-up, which hands over to sdcc's run-time, which
// initialises the variables and calls main, which calls the routine.
// The values the simulator printed as 1000 + a byte, so that they stand out
// from its other output.
std::vector<int> MarkedValues(const std::string& output) {
  std::vector<int> values;
  size_t pos = 0;
  while ((pos = output.find("\n1", pos)) != std::string::npos) {
    const std::string number = output.substr(pos + 1, 4);
    if (number.find_first_not_of("0123456789") == std::string::npos) {
      values.push_back(std::stoi(number) - 1000);
    }
    ++pos;
  }
  return values;
}

TEST_F(A51ClassicTest, StartUpAndCModulesRunInTheSimulator) {
  const std::string s51 = FindSdccProgram("s51");
  if (s51.empty()) GTEST_SKIP() << "the simulator s51 (sdcc-ucsim) is not installed";
  for (const char* name :
       {"startup/STARTUP.A51", "startup/MCU.INC", "startup/PORT.A51", "startup/main.c"}) {
    CopyData(name);
  }
  ToolRun run = Run("A51.exe", "\"STARTUP.A51\" SET (SMALL) DEBUG EP");
  ASSERT_EQ(0, run.exit_code) << run.output;
  run = Run("A51.exe", "\"PORT.A51\" SET (SMALL) DEBUG EP");
  ASSERT_EQ(0, run.exit_code) << run.output;
  run = Run("C51.exe", "\"main.c\" DEBUG");
  ASSERT_EQ(0, run.exit_code) << run.output;
  Write("link.lnp", "\"" + At("STARTUP.obj") + "\",\n\"" + At("PORT.obj") + "\",\n\"" +
                        At("main.obj") + "\" \nTO \"" + At("prog") + "\"\n\nRAMSIZE(256)\n" +
                        std::string(1, '\0'));
  run = Run("BL51.exe", "@\"" + At("link.lnp") + "\"");
  ASSERT_EQ(0, run.exit_code) << run.output;
  run = Run("OH51.exe", "\"" + At("prog") + "\" HEXFILE(\"" + At("prog.hex") + "\")");
  ASSERT_EQ(0, run.exit_code) << run.output;

  // 1000 + each port, so the values stand out from the simulator's chatter.
  Write("run.cmd", "file \"" + At("prog.hex") +
                       "\"\nstep 3000\nexpression 1000+sfr[0x90]\nexpression 1000+sfr[0xA0]\n"
                       "expression 1000+sfr[0xB0]\nkill\n");
  const ProgramRun sim = RunProgram(s51, {"-b", "-q", "-X", "12M", "-C", At("run.cmd")});
  const std::vector<int> ports = MarkedValues(sim.output);
  // P1: init + 1, so the run-time initialised init; P2: the start-up's mark;
  // P3: the routine's byte from its table.
  EXPECT_EQ((std::vector<int>{0x22, 0x5A, 0x3C}), ports) << sim.output;
}

// A program of assembly only, as students write it, with a macro used twice
// (each use its own loop label), REPT and IRP: it links and runs.
TEST_F(A51ClassicTest, MacrosExpandAndRunInTheSimulator) {
  const std::string s51 = FindSdccProgram("s51");
  if (s51.empty()) GTEST_SKIP() << "the simulator s51 (sdcc-ucsim) is not installed";
  Write("prog.a51",
        "$NOMOD51\n$INCLUDE (REG52.INC)\n"
        "ADDN    MACRO   REG, N\n        LOCAL   Again\n        MOV     R6,#N\n"
        "Again:  INC     REG\n        DJNZ    R6,Again\n        ENDM\n"
        "        CSEG    AT 0\n        MOV     A,#0\n        ADDN    A, 3\n"
        "        ADDN    A, 0AH\n        MOV     P1,A\n        REPT    4\n"
        "        INC     A\n        ENDM\n        MOV     P2,A\n"
        "        IRP     PORT, <P3, P0>\n        MOV     PORT,#5AH\n        ENDM\n"
        "        SJMP    $\n        END\n");
  ToolRun run = Run("A51.exe", "\"prog.a51\" SET (SMALL)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  run = Run("BL51.exe", "\"prog.obj\" TO \"prog\"");
  ASSERT_EQ(0, run.exit_code) << run.output;
  run = Run("OH51.exe", "\"prog\"");
  ASSERT_EQ(0, run.exit_code) << run.output;
  Write("run.cmd", "file \"" + At("prog.hex") +
                       "\"\nstep 300\nexpression 1000+sfr[0x90]\nexpression 1000+sfr[0xA0]\n"
                       "expression 1000+sfr[0xB0]\nexpression 1000+sfr[0x80]\nkill\n");
  const ProgramRun sim = RunProgram(s51, {"-b", "-q", "-C", At("run.cmd")});
  const std::vector<int> ports = MarkedValues(sim.output);
  EXPECT_EQ((std::vector<int>{13, 17, 0x5A, 0x5A}), ports) << sim.output;
}

}  // namespace
}  // namespace c51::sdcc
