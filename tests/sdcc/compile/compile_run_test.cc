// The compiler and the assembler on sdcc, run as the build runs them: one
// command line, the project folder as working folder, output captured.
#include <gtest/gtest.h>

#include "platform/env.h"
#include "platform/fs.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sim/files.h"
#include "support/temp_dir.h"
#include "tools/include_layout.h"
#include "tools/local_text.h"
#include "tools/record_reader.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

using test::ToolRun;

// The lines the build's filter looks at: "***" lines, and a fatal block.
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

class SdccToolsTest : public testing::Test {
 protected:
  void SetUp() override {
    if (FindSdccProgram("sdcc").empty() || FindSdccProgram("sdas8051").empty()) {
      GTEST_SKIP() << "sdcc is not installed";
    }
    ASSERT_FALSE(dir_.path().empty());
    const std::string root = ExecutableDirectory() + "sdcctool/C51/";
    bin_ = root + "BIN/";
    inc_ = root + "INC/";
    had_c51inc_ = GetEnv("C51INC", &saved_c51inc_);
    ASSERT_TRUE(SetEnv("C51INC", inc_));
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
    ASSERT_TRUE(CreateDirectories(std::string(DirectoryPart(At(rel), sim::kToolBreaks))));
    std::string err;
    ASSERT_TRUE(WriteWholeFile(At(rel), text, &err)) << err;
  }
  std::string Read(const std::string& rel) {
    std::string text, err;
    EXPECT_EQ(ReadStatus::kOkay, ReadWholeFile(At(rel), &text, &err)) << err;
    return text;
  }
  bool Exists(const std::string& rel) { return PathExists(At(rel)); }
  ToolRun Run(const char* tool, const std::string& args) {
    ToolRun run;
    std::string err;
    EXPECT_TRUE(test::RunCommandLine("\"" + bin_ + tool + "\" " + args, dir_.path(), &run, &err))
        << err;
    return run;
  }
  // The modules of an object file; fails the test when it does not parse.
  std::vector<RelModule> Modules(const std::string& rel) {
    std::vector<RelModule> modules;
    std::string err;
    EXPECT_TRUE(ParseRelModules(Read(rel), &modules, &err)) << err;
    return modules;
  }

  test::ScopedTempDir dir_{"sdcctooltest"};
  std::string bin_, inc_;
  bool had_c51inc_ = false;
  std::string saved_c51inc_;
};

TEST_F(SdccToolsTest, CompilesTheDialectAndRecordsEveryHeader) {
  Write("src/main.c",
        "#include <reg52.h>\n#include <INTRINS.H>\n#include \"cfg.h\"\n#include <string.h>\n"
        "unsigned char xdata buf[8];\nunsigned char code tab[] = {1, 2};\n"
        "unsigned char xdata io _at_ 0x8000;\nbit flag;\nsbit LED = P1^4;\n"
        "void t0(void) interrupt 1 using 1 { LED = !LED; flag = 1; }\n"
        "int twice(int a) reentrant { return a * 2; }\n"
        "void main(void) { memset(buf, 0, sizeof buf); io = _crol_(tab[1], 1);"
        " TR2 = 1; buf[0] = twice(LIMIT); }\n");
  Write("inc/cfg.h", "#include \"deep.h\"\n#define LIMIT DEEP\n");
  Write("inc/deep.h", "#define DEEP 3\n");
  ASSERT_TRUE(CreateDirectories(At("out")));
  const ToolRun run = Run("C51.exe",
                          "\".\\src\\main.c\" ROM (SMALL) INCDIR (.\\inc) DEBUG OBJECTEXTEND "
                          "PRINT(.\\out\\main.lst) OBJECT(\".\\out\\main.obj\")");
  EXPECT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ("", StarLines(run.output));
  EXPECT_NE(std::string::npos,
            run.output.find("\r\nC51 COMPILATION COMPLETE.  0 WARNING(S),  0 ERROR(S)\r\n"));

  const sim::ReadBack record = sim::ReadRecord(Read("out/main.obj"));
  ASSERT_TRUE(record.ok);
  ASSERT_EQ(6u, record.names.size());
  const std::string expected[] = {At("src/main.c"),   inc_ + "reg52.h", inc_ + "REG51.H",
                                  inc_ + "INTRINS.H", At("inc/cfg.h"),  At("inc/deep.h")};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(expected[i], record.names[i]);
  EXPECT_EQ(1, record.types[0]);

  const std::vector<RelModule> modules = Modules("out/main.obj");
  ASSERT_EQ(1u, modules.size());
  EXPECT_EQ("MAIN", modules[0].name);
  EXPECT_EQ("C51", modules[0].tool);
  EXPECT_EQ("SMALL", modules[0].model);
  // sdcc's relocatable, whole: the module line and the functions' symbols.
  EXPECT_NE(std::string::npos, modules[0].rel.find("\nM main\n"));
  EXPECT_NE(std::string::npos, modules[0].rel.find("S _t0 Def"));
  EXPECT_NE(std::string::npos, Read("out/main.lst").find("   12  void main(void)"));
}

// sdcc's preprocessor looks names up exactly and in its own order; the
// compiler must still open what the Windows compiler opens.
TEST_F(SdccToolsTest, CompilerFindsHeadersWhereAndHowWindowsFindsThem) {
  for (const auto& [path, text] : test::SearchOrderFiles("#error wrong header\n")) {
    Write(path, text);
  }
  ASSERT_TRUE(SetEnv("C51INC", At("c51inc") + ";" + inc_));
  const ToolRun run =
      Run("C51.exe", "\".\\src\\main.c\" INCDIR(.\\inc) OBJECT(.\\main.obj) PREPRINT(.\\main.i)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const sim::ReadBack record = sim::ReadRecord(Read("main.obj"));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ(test::SearchOrderRecord(dir_.path(), inc_), record.names);
  // The preprocessed text names the user's files, not the preprocessor's.
  const std::string preprocessed = Read("main.i");
  EXPECT_NE(std::string::npos, preprocessed.find("\"" + At("src/Lib/Ch554.h") + "\""));
  EXPECT_EQ(std::string::npos, preprocessed.find("c51sdcc-")) << preprocessed;
}

// Written on Windows, sdcc's own headers come in any letter case; a
// project's header of the same name still comes first.
TEST_F(SdccToolsTest, SdccsOwnHeadersAreFoundInAnyLetterCase) {
  Write("main.c",
        "#include <STDIO.H>\n#include <String.h>\n#include \"CTYPE.H\"\n#include \"Stdlib.h\"\n"
        "char b[4];\nvoid main(void) { strcpy(b, \"1\"); b[1] = isdigit(b[0]) + MINE; }\n");
  Write("stdlib.h", "#define MINE 2\n");
  const ToolRun run = Run("C51.exe", "main.c OBJECT(main.obj) PREPRINT(main.i)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const std::string preprocessed = Read("main.i");
  EXPECT_NE(std::string::npos, preprocessed.find("/string.h\" 1 3")) << preprocessed;
  EXPECT_NE(std::string::npos, preprocessed.find("/ctype.h\" 1 3")) << preprocessed;
}

TEST_F(SdccToolsTest, DiagnosticsNameTheHeaderAsFound) {
  Write("src/lib/CH554.H", "int ok;\n\nint bad(void) { return undefined_thing; }\n");
  Write("src/main.c", "#include \"Lib\\Ch554.h\"\nvoid main(void) {\n  ok = 1;\n}\n");
  const ToolRun run = Run("C51.exe", "\".\\src\\main.c\"");
  EXPECT_EQ(2, run.exit_code) << run.output;
  EXPECT_EQ(
      "*** ERROR C202 IN LINE 3 OF .\\src\\Lib\\Ch554.h: Undefined identifier "
      "'undefined_thing'\n",
      StarLines(run.output));
}

// The files a run keeps name the user's files, never the scratch folder
// the programs worked in (a new name on every run).
TEST_F(SdccToolsTest, KeptFilesNameTheUsersFilesNotTheScratchFolder) {
  Write("src/main.c", "#include \"cfg.h\"\nvoid main(void) {\n  P1 = LIMIT;\n}\n");
  Write("src/cfg.h", "__sfr __at(0x90) P1;\n#define LIMIT 3\n");
  Write("asm/defs.inc", "VALUE = 0x12\n");
  Write("asm/start.a51",
        "\t.module start\n\t.include \"DEFS.INC\"\n\t.area CSEG (CODE)\n"
        "start:\n\tmov a,#VALUE\n");
  ToolRun run = Run("C51.exe", "src\\main.c DEBUG CODE PRINT(main.lst) OBJECT(main.obj)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  const std::string listing = Read("main.lst");
  EXPECT_EQ(std::string::npos, listing.find("c51sdcc-")) << listing;
  EXPECT_NE(std::string::npos, listing.find(At("src/main.c") + ":3: P1 = LIMIT;")) << listing;

  run = Run("A51.exe", "asm\\start.a51 DEBUG PRINT(start.lst) OBJECT(start.obj)");
  ASSERT_EQ(0, run.exit_code) << run.output;
  const std::string object = Read("start.obj");
  EXPECT_EQ(std::string::npos, object.find("c51sdcc-"));
  EXPECT_NE(std::string::npos, object.find(";!FILE " + At("asm/start.a51"))) << object;
  const std::string assembly_listing = Read("start.lst");
  EXPECT_EQ(std::string::npos, assembly_listing.find("c51sdcc-")) << assembly_listing;
}

TEST_F(SdccToolsTest, AssemblerFindsIncludesAsWindowsDoes) {
  Write("asm/Sub/defs.inc", "VALUE = 0x12\n");
  Write("common.inc", "DEPTH = 0x10\n");
  Write("Inc/regs.inc", "LIMIT = 0x20\n");
  Write("asm/start.a51",
        "\t.module start\n\t.include \"sub\\DEFS.INC\"\n$INCLUDE (Common.INC)\n"
        "#include < REGS.INC >\n\t.area CSEG (CODE)\nstart:\n"
        "\tmov a,#VALUE\n\tmov r0,#DEPTH\n\tmov r1,#LIMIT\n");
  const ToolRun run = Run("A51.exe", "\"asm\\start.a51\" INCDIR(inc) OBJECT(start.obj)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const sim::ReadBack record = sim::ReadRecord(Read("start.obj"));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ(
      (std::vector<std::string>{At("asm/sub/DEFS.INC"), At("Common.INC"), At("inc/REGS.INC")}),
      record.headers);
  // mov a,#0x12; mov r0,#0x10; mov r1,#0x20
  EXPECT_NE(std::string::npos, Modules("start.obj")[0].rel.find("74 12 78 10 79 20"))
      << Modules("start.obj")[0].rel;
}

// Inside, names are GBK as on a Chinese Windows; on disk, on the command
// line and in what the tools print they are UTF-8.
TEST_F(SdccToolsTest, ChineseNamesAreLocalTextInsideAndUtf8Outside) {
  test::ScopedEnv gbk("C51_LOCAL_CODEPAGE", "936");
  ASSERT_TRUE(CreateDirectories(At("src")));
  ASSERT_TRUE(test::WriteSystemFile(At("src/") + std::string(test::kSourceUtf8),
                                    "#include \"" + std::string(test::kHeaderGbk) +
                                        "\"\nvoid main(void) {\n  int v;\n  f();\n}\n"));
  ASSERT_TRUE(test::WriteSystemFile(At("src/") + std::string(test::kHeaderUtf8),
                                    "\nvoid f(void) { int u; }\n"));
  const std::string source_gbk = ".\\src\\" + std::string(test::kSourceGbk);
  const ToolRun run = Run("C51.exe", "\"" + source_gbk + "\"");
  EXPECT_EQ(1, run.exit_code) << run.output;
  // sdcc places an unused local at the statement after it.
  EXPECT_EQ("*** WARNING C280 IN LINE 2 OF .\\src\\" + std::string(test::kHeaderGbk) +
                ": in function f unreferenced local variable : 'u'\n"
                "*** WARNING C280 IN LINE 4 OF " +
                source_gbk + ": in function main unreferenced local variable : 'v'\n",
            StarLines(run.output));
  EXPECT_TRUE(test::IsUtf8(run.system_output));
  EXPECT_NE(std::string::npos, run.system_output.find(test::kHeaderUtf8));
  EXPECT_NE(std::string::npos, run.system_output.find(test::kSourceUtf8));

  const sim::ReadBack record =
      sim::ReadRecord(test::ReadSystemFile(At("src/") + std::string(test::kObjectUtf8)));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ((std::vector<std::string>{At("src/" + std::string(test::kSourceGbk)),
                                      At("src/" + std::string(test::kHeaderGbk))}),
            record.names);
}

// The rewriter's warnings and sdcc's come in the order of their lines.
TEST_F(SdccToolsTest, WarningsComeInLineOrder) {
  Write("main.c",
        "unsigned char u;\nvoid main(void) {\n  if (u > 300) u = 0;\n  show(1);\n"
        "  if (u > 400) u = 1;\n}\nvoid show(char c) { u = c; }\n");
  const ToolRun run = Run("C51.exe", "main.c");
  EXPECT_EQ(1, run.exit_code) << run.output;
  const std::string lines = StarLines(run.output);
  const size_t third = lines.find("IN LINE 3 OF");
  const size_t fourth = lines.find("IN LINE 4 OF");
  const size_t fifth = lines.find("IN LINE 5 OF");
  ASSERT_NE(std::string::npos, fourth) << lines;
  EXPECT_LT(third, fourth) << lines;
  EXPECT_LT(fourth, fifth) << lines;
}

TEST_F(SdccToolsTest, ReportsErrorsAtTheUsersFileAndLine) {
  Write("hdr.h", "int ok;\n\nint bad(void) { return undefined_thing; }\n");
  Write("main.c", "#include \"hdr.h\"\nvoid main(void) {\n  ok = 1;\n}\n");
  Write("main.obj", "left from an earlier run");
  ToolRun run = Run("C51.exe", "\".\\main.c\" DEBUG OBJECTEXTEND OBJECT(\"main.obj\")");
  EXPECT_EQ(2, run.exit_code) << run.output;
  EXPECT_EQ("*** ERROR C202 IN LINE 3 OF .\\hdr.h: Undefined identifier 'undefined_thing'\n",
            StarLines(run.output));
  EXPECT_NE(std::string::npos,
            run.output.find("\r\nC51 COMPILATION COMPLETE.  0 WARNING(S),  1 ERROR(S)\r\n"));
  EXPECT_FALSE(Exists("main.obj"));

  Write("syntax.c", "int a;\n\nvoid main(void) {\n  a = \n}\n");
  run = Run("C51.exe", "\"syntax.c\"");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ("*** ERROR C141 IN LINE 5 OF syntax.c: syntax error near '}'\n", StarLines(run.output));

  Write("dialect.c",
        "int a;\n#pragma INTVECTOR(0x100)\nvoid f(void) large { }\nvoid main(void) {}\n");
  run = Run("C51.exe", "\"dialect.c\"");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ(
      "*** ERROR C999 IN LINE 2 OF dialect.c: #pragma 'INTVECTOR' is not supported\n"
      "*** WARNING C998 IN LINE 3 OF dialect.c: 'large': a memory model per function is "
      "ignored: the function's parameters and locals go where the program's model puts them\n",
      StarLines(run.output));
  EXPECT_FALSE(Exists("dialect.obj"));

  // Comment banners with "/*" inside a comment draw no warning.
  Write("banner.c", "/*********\n/* main\n/*********/\nint b;\n");
  run = Run("C51.exe", "\"banner.c\"");
  EXPECT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ("", StarLines(run.output));

  // sdcc's texts that name a file name the user's, not the stand-in read.
  Write("conflict.c", "void f(void) interrupt 2;\nvoid f(void) { }\n");
  run = Run("C51.exe", "\"conflict.c\"");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_NE(std::string::npos, run.output.find("for attribute 'interrupt' at ")) << run.output;
  EXPECT_NE(std::string::npos, run.output.find("conflict.c:1 (sdcc 98)")) << run.output;
  EXPECT_EQ(std::string::npos, run.output.find("c51sdcc-")) << run.output;

  // The linker lays the vectors down from the object's record.
  Write("isr.c",
        "\nvoid tick(void) interrupt 1 { }\nvoid tock(void) interrupt (2 + 1) using 1 { }\n");
  run = Run("C51.exe", "\"isr.c\"");
  EXPECT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ("", StarLines(run.output));
  const std::vector<RelModule> isr = Modules("isr.obj");
  ASSERT_EQ(1u, isr.size());
  ASSERT_EQ(2u, isr[0].interrupts.size());
  EXPECT_EQ(1u, isr[0].interrupts[0].number);
  EXPECT_EQ("_tick", isr[0].interrupts[0].symbol);
  EXPECT_EQ(3u, isr[0].interrupts[1].number);
  EXPECT_EQ("_tock", isr[0].interrupts[1].symbol);
  Write("isr_enum.c", "enum { T0_VECTOR = 1 };\nvoid tick(void) interrupt T0_VECTOR { }\n");
  run = Run("C51.exe", "\"isr_enum.c\"");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ(
      "*** ERROR C999 IN LINE 2 OF isr_enum.c: 'tick': the interrupt number must be a constant "
      "number for the linker to place the vector\n",
      StarLines(run.output));
  EXPECT_FALSE(Exists("isr_enum.obj"));

  Write("warn.c", "\nvoid main(void) { int u; }\n");
  run = Run("C51.exe", "\"warn.c\"");
  EXPECT_EQ(1, run.exit_code);
  EXPECT_EQ(
      "*** WARNING C280 IN LINE 2 OF warn.c: in function main unreferenced local variable : "
      "'u'\n",
      StarLines(run.output));
  run = Run("C51.exe", "\"warn.c\" WARNINGLEVEL (0)");
  EXPECT_EQ(0, run.exit_code);
  EXPECT_TRUE(Exists("warn.obj"));
}

TEST_F(SdccToolsTest, FatalErrorsStopWithTheirBlock) {
  Write("inc.c", "int a;\n#include \"gone.h\"\n");
  Write("ok.c", "int a;\n");
  Write("s.a51", "\t.area CSEG (CODE)\n\t.include \"gone.inc\"\n");
  struct Case {
    const char* tool;
    const char* args;
    const char* block;
  };
  const Case cases[] = {
      {"C51.exe", "\".\\inc.c\" DEBUG",
       "C51 FATAL-ERROR -\r\n  ACTION:  PARSING SOURCE-FILE\r\n  LINE:    #include \"gone.h\"\r\n"
       "  ERROR:   CAN'T OPEN FILE 'gone.h'\r\n  FILE:    .\\inc.c, LINE 2\r\nC51 TERMINATED.\r\n"},
      {"C51.exe", "\".\\none.c\"",
       "C51 FATAL-ERROR -\r\n  ACTION:  OPENING SOURCE-FILE\r\n"
       "  ERROR:   CAN'T OPEN FILE '.\\none.c'\r\nC51 TERMINATED.\r\n"},
      {"C51.exe", "\"ok.c\" OPTIMIZE (12,SPEED)",
       "  LINE:    OPTIMIZE (12,SPEED)\r\n  ERROR:   BAD ARGUMENT FOR CONTROL 'OPTIMIZE'\r\n"},
      {"C51.exe", "", "  ERROR:   MISSING SOURCE FILE NAME\r\n"},
      {"A51.exe", "\"s.a51\" SET (SMALL) DEBUG EP",
       "A51 FATAL-ERROR -\r\n  ACTION:  PARSING SOURCE-FILE\r\n  LINE:    .include \"gone.inc\"\r\n"
       "  ERROR:   CAN'T OPEN FILE 'gone.inc'\r\n  FILE:    s.a51, LINE 2\r\nA51 TERMINATED.\r\n"},
      {"A51.exe", "\"none.a51\"", "  ERROR:   CAN'T OPEN FILE 'none.a51'\r\n"},
      {"A51.exe", "\"s.a51\" SET (1X)", "  ERROR:   BAD ARGUMENT FOR CONTROL 'SET'\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tool) + " " + c.args);
    const ToolRun run = Run(c.tool, c.args);
    EXPECT_EQ(3, run.exit_code);
    EXPECT_NE(std::string::npos, run.output.find(c.block)) << run.output;
  }
  EXPECT_FALSE(Exists("inc.obj"));
  EXPECT_FALSE(Exists("ok.obj"));
}

TEST_F(SdccToolsTest, AssemblesWithSetSymbolsAndRecordsIncludes) {
  Write("defs.inc", "VALUE = 0x12\n");
  Write("asm/start.a51",
        "\t.module start\n\t.include \"../defs.inc\"\n\t.globl _main\n\t.area CSEG (CODE)\n"
        "start:\n\tmov a,#VALUE\n\t.if SMALL\n\tmov r0,#DEPTH\n\t.endif\n\tljmp _main\n"
        "\tljmp nowhere\n");
  const std::string line =
      "\"asm\\start.a51\" SET (SMALL, DEPTH=10H) DEBUG NOPRINT OBJECT(out\\start.obj) EP";
  ASSERT_TRUE(CreateDirectories(At("out")));
  ToolRun run = Run("A51.exe", line);
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ(
      "*** ERROR #A45 IN 11 (asm\\start.a51, LINE 11): UNDEFINED SYMBOL ENCOUNTERED DURING "
      "ASSEMBLY\n",
      StarLines(run.output));
  EXPECT_NE(std::string::npos,
            run.output.find("\r\nASSEMBLY COMPLETE.  0 WARNING(S),  1 ERROR(S)\r\n"));
  EXPECT_FALSE(Exists("out/start.obj"));

  Write("asm/start.a51", Read("asm/start.a51").substr(0, Read("asm/start.a51").rfind("\tljmp")));
  run = Run("A51.exe", line);
  EXPECT_EQ(0, run.exit_code) << run.output;
  const sim::ReadBack record = sim::ReadRecord(Read("out/start.obj"));
  ASSERT_TRUE(record.ok);
  ASSERT_EQ(2u, record.names.size());
  EXPECT_EQ(At("defs.inc"), record.names[1]);
  const std::vector<RelModule> modules = Modules("out/start.obj");
  ASSERT_EQ(1u, modules.size());
  EXPECT_EQ("A51", modules[0].tool);
  // DEPTH went in as 16: "mov r0,#0x10" assembles to 78 10.
  EXPECT_NE(std::string::npos, modules[0].rel.find("78 10")) << modules[0].rel;
}

TEST_F(SdccToolsTest, AssemblySourceFromTheCompilerCarriesItsHeaders) {
  Write("cfg.h", "#define N 4\n");
  Write("main.c", "#include \"cfg.h\"\nunsigned char v[N];\nvoid main(void) { v[1] = 2; }\n");
  ToolRun run = Run("C51.exe", "\"main.c\" DEBUG SRC(\"main.SRC\")");
  EXPECT_EQ(0, run.exit_code) << run.output;
  EXPECT_FALSE(Exists("main.obj"));
  run = Run("A51.exe", "\"main.SRC\" PR(\"main.ls1\") SET (SMALL) DEBUG EP");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const sim::ReadBack record = sim::ReadRecord(Read("main.obj"));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ((std::vector<std::string>{At("cfg.h")}), record.headers);
  EXPECT_NE(std::string::npos, Modules("main.obj")[0].rel.find("S _main Def"));
  // ...its variables in DATA, which the linker lays...
  ASSERT_EQ(1u, Modules("main.obj")[0].data.size());
  EXPECT_EQ("_v", Modules("main.obj")[0].data[0].symbol);
  EXPECT_EQ(4u, Modules("main.obj")[0].data[0].size);

  // ...and its interrupt routines, whose vectors the linker lays down.
  Write("isr.c", "void tick(void) interrupt 1 { }\nvoid tock(void) interrupt 3 using 1 { }\n");
  run = Run("C51.exe", "\"isr.c\" SRC(\"isr.SRC\")");
  EXPECT_EQ(0, run.exit_code) << run.output;
  run = Run("A51.exe", "\"isr.SRC\" SET (SMALL) EP");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const std::vector<RelModule> isr = Modules("isr.obj");
  ASSERT_EQ(1u, isr.size());
  ASSERT_EQ(2u, isr[0].interrupts.size());
  EXPECT_EQ(1u, isr[0].interrupts[0].number);
  EXPECT_EQ("_tick", isr[0].interrupts[0].symbol);
  EXPECT_EQ(3u, isr[0].interrupts[1].number);
  EXPECT_EQ("_tock", isr[0].interrupts[1].symbol);
}

// The variables the linker lays leave the relocatable; they are still the
// module's own in its record and in the size its listing gives.
TEST_F(SdccToolsTest, VariablesTheLinkerLaysAreTheModulesOwn) {
  Write("main.c",
        "unsigned char buf[80];\nstatic unsigned int n;\n"
        "void main(void) { buf[n++] = 1; }\n");
  const ToolRun run = Run("C51.exe", "\"main.c\" PRINT(\"main.lst\")");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const std::vector<RelModule> modules = Modules("main.obj");
  ASSERT_EQ(1u, modules.size());
  ASSERT_EQ(2u, modules[0].data.size());
  EXPECT_EQ("_buf", modules[0].data[0].symbol);
  EXPECT_TRUE(modules[0].data[0].global);
  EXPECT_EQ(0u, modules[0].data[1].symbol.rfind("_n$", 0)) << modules[0].data[1].symbol;
  EXPECT_EQ(2u, modules[0].data[1].size);
  EXPECT_NE(std::string::npos, modules[0].rel.find("S _buf Ref"));
  // 82 bytes of variables, register bank 0 and the stack's first byte, as
  // when the module laid them itself.
  EXPECT_NE(std::string::npos, Read("main.lst").find("DATA SIZE = 91 ")) << Read("main.lst");
}

TEST_F(SdccToolsTest, EveryHeaderCompilesUnderBothSpellings) {
  Write("all.c",
        "#include <AT89X52.H>\n#include <at89x51.h>\n#include <reg52.h>\n#include <INTRINS.H>\n"
        "#include <absacc.h>\nbit f;\n"
        "void main(void) {\n  unsigned char c = _crol_(P1, 3) + _cror_(P2, 1);\n"
        "  unsigned int i = _irol_(c, 4) + _iror_(c, 2);\n"
        "  unsigned long l = _lrol_(i, 5) + _lror_(i, 0);\n  _nop_();\n"
        "  XBYTE[0x8000] = c;\n  c = CBYTE[0x10] + DBYTE[0x30] + PBYTE[3];\n"
        "  XWORD[2] = CWORD[1] + DWORD[0x18] + PWORD[1] + (unsigned int)l;\n"
        "  if (_testbit_(f)) P1_0 = 1;\n  if (_testbit_(TF2)) T2MOD = 1;\n"
        "  ET2 = 1; TR2 = 1; P3_7 = CY;\n}\n");
  const ToolRun run = Run("C51.exe", "\"all.c\" DEBUG PREPRINT(all.i)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  EXPECT_EQ("", StarLines(run.output));
  EXPECT_NE(std::string::npos, Read("all.i").find("sfr T2CON"));
}

TEST_F(SdccToolsTest, ModelPragmaChoosesTheModel) {
  Write("big.c", "#pragma LARGE\nunsigned char v[4];\nvoid main(void) { v[1] = 2; }\n");
  const ToolRun run = Run("C51.exe", "\"big.c\" OBJECT(big.obj)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const std::vector<RelModule> modules = Modules("big.obj");
  ASSERT_EQ(1u, modules.size());
  EXPECT_EQ("LARGE", modules[0].model);
  // The large model puts the array in external RAM.
  EXPECT_NE(std::string::npos, modules[0].rel.find("A XSEG size 4"));
}

}  // namespace
}  // namespace c51::sdcc
