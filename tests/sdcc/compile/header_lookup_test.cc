// Which header C51.exe on sdcc opens for a project's include lines, where
// the project's own folders, our INC folder and sdcc's headers all hold
// candidates: the dependency record lists the files it read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs.h"
#include "sim/files.h"
#include "tool_program_test.h"
#include "tools/record_reader.h"

namespace c51::sdcc {
namespace {

class HeaderLookupTest : public ToolProgramTest {
 protected:
  HeaderLookupTest() : ToolProgramTest("c51headerlookup") {}

  std::string At(const std::string& rel) const { return dir_.path() + rel; }
  void WriteAt(const std::string& rel, const std::string& text) {
    ASSERT_TRUE(CreateDirectories(std::string(DirectoryPart(At(rel), sim::kToolBreaks))));
    Write(rel, text);
  }
  // The headers main.obj's dependency record names.
  std::vector<std::string> Headers() {
    const sim::ReadBack record = sim::ReadRecord(Read("main.obj"));
    EXPECT_TRUE(record.ok);
    return record.headers;
  }
};

// A "< >" name the include folders do not hold is looked for where a quoted
// one is: beside the file that includes it, then in the current folder.
TEST_F(HeaderLookupTest, AngleNameFoundBesideTheSourceAfterEveryIncludeFolder) {
  const std::string wrong = "#error wrong header\n";
  WriteAt("src/main.c",
          "#include <motor.h>\n#include <Cfg.h>\n#include <board.h>\n#include <string.h>\n"
          "#include <reg52.h>\nvoid main(void) { P1 = MOTOR + CFG + BOARD + PINS; }\n");
  WriteAt("src/MOTOR.H", "#include <pins.h>\n#define MOTOR 1\n");
  WriteAt("src/drv/pins.h", wrong);
  WriteAt("src/pins.h", "#define PINS 8\n");
  // An include folder comes first, and so does the tool's INC folder...
  WriteAt("src/cfg.h", wrong);
  WriteAt("inc/cfg.h", "#define CFG 2\n");
  WriteAt("src/reg52.h", wrong);
  // ...and sdcc's library headers, which stand for the tool's own.
  WriteAt("src/string.h", wrong);
  // The current folder, when the includer's folder has none.
  WriteAt("board.h", "#define BOARD 4\n");
  const test::ToolRun run = Run("C51.exe", "\"src\\main.c\" INCDIR(inc) OBJECT(main.obj)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  const std::vector<std::string> headers = Headers();
  ASSERT_GE(headers.size(), 4u);
  EXPECT_EQ(At("src/motor.h"), headers[0]);
  EXPECT_EQ(At("src/pins.h"), headers[1]);
  EXPECT_EQ(At("inc/Cfg.h"), headers[2]);
  EXPECT_EQ(At("board.h"), headers[3]);
}

// The assembler looks the same way.
TEST_F(HeaderLookupTest, AssemblerFindsAnAngleNameBesideTheSource) {
  WriteAt("asm/start.a51",
          "\t.module start\n#include <pins.inc>\n\t.area CSEG (CODE)\nstart:\n\tmov a,#LIMIT\n");
  WriteAt("asm/PINS.INC", "LIMIT = 0x20\n");
  const test::ToolRun run = Run("A51.exe", "\"asm\\start.a51\" OBJECT(main.obj)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ((std::vector<std::string>{At("asm/pins.inc")}), Headers());
}

// A part's header the project ships beside its sources is the project's,
// not the family's stand-in; sdcc's register header of that name too.
TEST_F(HeaderLookupTest, ProjectsOwnPartHeaderWinsOverStandIns) {
  WriteAt("main.c",
          "#include <stc15w.h>\n#include <C8051F020.H>\n"
          "void main(void) { P1 = OWN_STC + OWN_SILABS; }\n");
  WriteAt("STC15W.H", "sfr P1 = 0x90;\n#define OWN_STC 1\n");
  WriteAt("c8051f020.h", "#define OWN_SILABS 2\n");
  const test::ToolRun run = Run("C51.exe", "main.c OBJECT(main.obj)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ(std::string::npos, run.output.find("*** WARNING")) << run.output;
  EXPECT_EQ((std::vector<std::string>{At("stc15w.h"), At("C8051F020.H")}), Headers());
}

// The USB 8052 of many course boards: its stand-in has timer 2, as it has.
// The warning comes once, however many of the file's headers include it.
TEST_F(HeaderLookupTest, At89c5131ProjectGetsTimerTwoFromItsStandIn) {
  WriteAt("board.h", "#include <AT89C5131.H>\n");
  WriteAt("main.c",
          "#include <at89c5131.h>\n#include \"board.h\"\n"
          "void main(void) { RCAP2H = 0xFF; RCAP2L = 0x10; T2CON = 0x04; CKCON0 = 1; }\n");
  const test::ToolRun run = Run("C51.exe", "main.c");
  EXPECT_EQ(1, run.exit_code) << run.output;
  EXPECT_NE(std::string::npos,
            run.output.find("*** WARNING C998 IN LINE 1 OF main.c: 'at89c5131.h' not found: "
                            "AT89C51XD2.H, the family's registers, stands in"))
      << run.output;
  EXPECT_NE(std::string::npos, run.output.find(" 1 WARNING(S),")) << run.output;
  EXPECT_EQ(std::string::npos, run.output.find("*** ERROR")) << run.output;
}

// A register header named with the vendor folder the Windows tools keep it
// in ("STC/STC8H.H"): where no folder holds that path, the include folders'
// header of its own name, without a warning, as that folder is theirs; a
// part's header so named gets its family's, with the warning.
TEST_F(HeaderLookupTest, HeaderNamedWithItsVendorFolderIsTheIncludeFoldersOwn) {
  const struct {
    const char* include;
    const char* uses;
    const char* warning;  // empty: none
  } cases[] = {
      {"\"STC/STC8H.H\"", "P_SW2 |= 0x80;", ""},
      {"<STC/STC8H.H>", "P_SW2 |= 0x80;", ""},
      {"<STC\\stc8h.h>", "P_SW2 |= 0x80;", ""},
      {"<Atmel/T89C51CC01.H>", "CANGCON = 0;", ""},
      {"\"Atmel\\AT89C51RD2.H\"", "CKCON0 = 1;",
       "'Atmel\\AT89C51RD2.H' not found: AT89C51XD2.H, the family's registers, stands in"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.include);
    WriteAt("main.c", "#include " + std::string(c.include) + "\nvoid main(void) { " + c.uses +
                          " P1 = 0x55; }\n");
    const test::ToolRun run = Run("C51.exe", "main.c OBJECT(main.obj)");
    EXPECT_EQ(*c.warning ? 1 : 0, run.exit_code) << run.output;
    EXPECT_EQ(std::string::npos, run.output.find("*** ERROR")) << run.output;
    if (*c.warning) {
      EXPECT_NE(std::string::npos, run.output.find(c.warning)) << run.output;
    } else {
      EXPECT_EQ(std::string::npos, run.output.find("*** WARNING")) << run.output;
    }
  }
  // The project's own file at that path comes first.
  WriteAt("STC/STC8H.H", "sfr P1 = 0x90;\n#define OWN 1\n");
  WriteAt("main.c", "#include \"STC/STC8H.H\"\nvoid main(void) { P1 = OWN; }\n");
  const test::ToolRun run = Run("C51.exe", "main.c OBJECT(main.obj)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ((std::vector<std::string>{At("STC/STC8H.H")}), Headers());
}

// Projects kept for a separate sdcc build test sdcc's own names; the
// project's build is the Windows compiler's, which defines none of them:
// each conditional here must take the branch that defines its name, in the
// source and in its header alike (sdcc's library headers keep theirs).
TEST_F(HeaderLookupTest, ConditionalsOnSdccsOwnNamesTakeTheWindowsBranch) {
  WriteAt("cfg.h",
          "#if defined(SDCC) || defined(__SDCC_mcs51)\n#error sdcc branch\n#else\n"
          "#define A 1\n#endif\n#ifdef SDCC_mcs51\n#else\n#define B 2\n#endif\n");
  WriteAt("main.c",
          "#include <reg52.h>\n#include <stdio.h>\n#include \"cfg.h\"\n"
          "#ifndef SDCC  /* SDCC */\n#define C 4\n#elif __SDCC_VERSION_MAJOR >= 4\n#endif\n"
          "void main(void) { P1 = A + B + C; }\n");
  const test::ToolRun run = Run("C51.exe", "main.c OBJECT(main.obj)");
  EXPECT_EQ(0, run.exit_code) << run.output;
}

// A header whose include guard never ends (the Windows compiler took the
// author's so): the conditionals close at its end, and only there.
TEST_F(HeaderLookupTest, HeaderWithoutItsEndifIsClosedAtItsEnd) {
  WriteAt("drv.h",
          "#ifndef DRV_H\n#define DRV_H\n/* #endif */\n#ifdef FAST\n#else\n#define RATE 3\n"
          "void drv(void);");
  WriteAt("main.c",
          "#include <reg52.h>\n#include \"drv.h\"\n#include \"drv.h\"\n"
          "void drv(void) { P1 = RATE; }\nvoid main(void) { drv(); }\n");
  const test::ToolRun run = Run("C51.exe", "main.c OBJECT(main.obj)");
  EXPECT_EQ(0, run.exit_code) << run.output;
}

// The CAN part's register include in a classic assembly source, by name
// and by its vendor folder: its bytes, bits and port bits assemble.
TEST_F(HeaderLookupTest, AssemblerIncludesTheCanPartsRegisters) {
  for (const char* include : {"t89c51cc01.inc", "Atmel\\T89C51CC01.INC"}) {
    SCOPED_TRACE(include);
    WriteAt("main.a51", "$include (" + std::string(include) +
                            ")\nCSEG AT 0\n LJMP START\nCSEG AT 30H\n"
                            "START: MOV ADCF,#0FFh\n SETB EADC\n CPL P4.1\n MOV CANGCON,#2\n"
                            " SJMP START\nEND\n");
    const test::ToolRun run = Run("A51.exe", "main.a51 OBJECT(main.obj)");
    EXPECT_EQ(0, run.exit_code) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("0 WARNING(S),  0 ERROR(S)")) << run.output;
  }
}

// The P89LPC932A1's register include in a course project's assembly
// source, in the letter cases projects write it: the part's own registers
// and bits assemble beside the core's.
TEST_F(HeaderLookupTest, AssemblerIncludesTheLpc932sRegisters) {
  for (const char* include : {"reg932.inc", "REG932.INC", "Reg932.inc"}) {
    SCOPED_TRACE(include);
    WriteAt("main.a51", "$include (" + std::string(include) +
                            ")\nCSEG AT 0\n LJMP START\nCSEG AT 30H\n"
                            "START: MOV P1M1,#0\n MOV P1M2,#0FFh\n ORL TAMOD,#1\n"
                            " MOV KBPATN,#20h\n MOV KBCON,#2\n SETB EKBI\n SETB EA\n"
                            " MOV DEECON,#0\n CPL P1.7\n CPL P1_6\n JNB SI,START\n"
                            " SJMP START\nEND\n");
    const test::ToolRun run = Run("A51.exe", "main.a51 OBJECT(main.obj)");
    EXPECT_EQ(0, run.exit_code) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("0 WARNING(S),  0 ERROR(S)")) << run.output;
  }
}

// The 80C517A's and 80C517's register includes in the two ways their
// assembly sources write them, in their letter cases: the ports, the
// watchdog restart, the first serial channel by its own names and the A/D
// converter assemble, with the core's mnemonics off ($NOMOD51).
TEST_F(HeaderLookupTest, AssemblerIncludesTheSab517sRegisters) {
  const struct {
    const char* include;  // the lines that include the registers
    const char* own;      // an instruction on a register of the one part
  } cases[] = {
      {"$NOMOD51\n$INCLUDE (REG517A.INC)\n", " MOV SYSCON,#0\n"},
      {"$nomod51\n#include <Reg517a.inc>\n", " MOV A,ADDATL\n"},
      {"$INCLUDE (reg517a.inc)\n", " MOV A,ADDATH\n"},
      {"$NOMOD51\n$INCLUDE (REG517.INC)\n", " MOV DAPR,#0\n"},
      {"#include <reg517.inc>\n", " MOV A,ADDAT\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.include);
    WriteAt("main.a51", std::string(c.include) +
                            "CSEG AT 0\n LJMP START\nCSEG AT 30H\n"
                            "START: MOV P4,#30h\n SETB P5.7\n JB P4.7,START\n setb wdt\n"
                            " setb swdt\n mov s0con,#01010000b\n mov s0relh,#3\n"
                            " mov s0rell,#0D9h\n mov adcon0,#0C0h\n mov r1,s0buf\n"
                            " MOV DPSEL,#1\n MOV CMEN,#0\n MOV S1CON,#0\n SETB EAL\n" +
                            c.own + " SJMP START\nEND\n");
    const test::ToolRun run = Run("A51.exe", "main.a51 OBJECT(main.obj)");
    EXPECT_EQ(0, run.exit_code) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("0 WARNING(S),  0 ERROR(S)")) << run.output;
  }
}

// A vendor SDK's header: the fatal block says what is missing.
TEST_F(HeaderLookupTest, MissingVendorSdkHeaderIsNamedAsSuch) {
  const struct {
    const char* include;
    const char* error;
  } cases[] = {
      {"\"si_efm8sb2_register_enums.h\"",
       "  ERROR:   CAN'T OPEN FILE 'si_efm8sb2_register_enums.h' (A SILICON LABS SDK HEADER, "
       "NOT PART OF THIS TOOLCHAIN: NAME THE SDK'S FOLDER IN THE INCLUDE PATH)\r\n"},
      {"<SI_EFM8SB2_Register_Enums.h>",
       "  ERROR:   CAN'T OPEN FILE 'SI_EFM8SB2_Register_Enums.h' (A SILICON LABS SDK"},
      {"\"sim_board.h\"", "  ERROR:   CAN'T OPEN FILE 'sim_board.h'\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.include);
    WriteAt("main.c", "#include " + std::string(c.include) + "\nvoid main(void) {}\n");
    const test::ToolRun run = Run("C51.exe", "main.c");
    EXPECT_EQ(3, run.exit_code);
    EXPECT_NE(std::string::npos, run.output.find(c.error)) << run.output;
  }
}

// A part header we do not ship is sdcc's, in sdcc's syntax; the dialect's
// sbit on its ports, and on one its compiler.h macro declares, still works.
TEST_F(HeaderLookupTest, SbitOnAPortOfSdccsRegisterHeader) {
  WriteAt("main.c",
          "#include \"C8051F020.h\"\n#include <compiler.h>\nSFR(PX, 0xC0);\n"
          "sbit LED = P3 ^ 2;\nsbit Q = PX^1;\n"
          "void main(void) { LED = 1; Q = 0; while (1); }\n");
  const test::ToolRun run = Run("C51.exe", "main.c SRC(main.src)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  const std::string assembly = Read("main.src");
  EXPECT_NE(std::string::npos, assembly.find("\n_LED\t=\t0x00b2\n")) << assembly;
  EXPECT_NE(std::string::npos, assembly.find("\n_Q\t=\t0x00c1\n")) << assembly;
}

}  // namespace
}  // namespace c51::sdcc
