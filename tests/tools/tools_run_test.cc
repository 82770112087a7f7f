// The five programs run as the build engine runs them: one command line,
// the project folder as working folder, output captured.
#include <gtest/gtest.h>

#include "platform/env.h"
#include "platform/fs.h"
#include "sim/controls.h"
#include "sim/files.h"
#include "support/temp_dir.h"
#include "tools/include_layout.h"
#include "tools/local_text.h"
#include "tools/record_reader.h"
#include "tools/tool_runner.h"

namespace c51::sim {
namespace {

using test::ToolRun;

// Paths compared as the file system sees them.
std::string Canon(std::string path) {
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return NativePathStyle() == PathStyle::kWindows ? ToUpper(path) : path;
}

// The lines the build's filters look at: those with "***".
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

class ToolsRunTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    const char sep = NativePathStyle() == PathStyle::kWindows ? '\\' : '/';
    const std::string root = ExecutableDirectory() + "simtool" + sep + "C51" + sep;
    bin_ = root + "BIN" + sep;
    inc_ = root + "INC" + sep;
    had_c51inc_ = GetEnv("C51INC", &saved_c51inc_);
    UnsetEnv("C51INC");
  }
  void TearDown() override {
    if (had_c51inc_) {
      SetEnv("C51INC", saved_c51inc_);
    } else {
      UnsetEnv("C51INC");
    }
  }

  std::string Tool(const char* name) const { return "\"" + bin_ + name + "\""; }
  std::string At(const std::string& rel) const { return dir_.path() + rel; }
  void Write(const std::string& rel, const std::string& text) {
    ASSERT_TRUE(CreateDirectories(std::string(DirectoryPart(At(rel), kToolBreaks))));
    std::string err;
    ASSERT_TRUE(WriteWholeFile(At(rel), text, &err)) << err;
  }
  std::string Read(const std::string& rel) {
    std::string text, err;
    EXPECT_EQ(ReadStatus::kOkay, ReadWholeFile(At(rel), &text, &err)) << err;
    return text;
  }
  bool Exists(const std::string& rel) { return PathExists(At(rel)); }
  ToolRun Run(const std::string& line) {
    ToolRun run;
    std::string err;
    EXPECT_TRUE(test::RunCommandLine(line, dir_.path(), &run, &err)) << err;
    return run;
  }

  test::ScopedTempDir dir_{"c51tools"};
  std::string bin_, inc_;
  bool had_c51inc_ = false;
  std::string saved_c51inc_;
};

TEST_F(ToolsRunTest, CompilerRecordsEveryHeaderWhereverItWasFound) {
  // Blanks everywhere; on POSIX also a non-ASCII byte, which passes as it is.
  // (Windows programs see the ANSI code page, which the test cannot rely on.)
  const std::string folder = NativePathStyle() == PathStyle::kPosix ? std::string("my src\xc3\xa9")
                                                                    : std::string("my src");
  Write(folder + "/main.c",
        "#include <REG51.H>\n#include \"cfg.h\"\n#include \"local.h\"\n"
        "void main(void) {\n  P1 = 0;\n}\n");
  Write(folder + "/local.h", "#include \"deep.h\"\n");
  Write(folder + "/deep.h", "");
  Write("inc/cfg.h", "int config;\n");
  Write("out/.keep", "");
  ASSERT_TRUE(SetEnv("C51INC", "nowhere;" + inc_));
  const ToolRun run = Run(Tool("C51.exe") + " \".\\" + folder +
                          "\\main.c\" ROM (SMALL) INCDIR (.\\inc) DEBUG OBJECTEXTEND "
                          "PRINT(.\\out\\main.lst) OBJECT(\".\\out\\main.obj\")");
  EXPECT_EQ(0, run.exit_code);
  EXPECT_EQ(
      "C51 SIMULATED C COMPILER V1.00\r\n\r\n\r\n"
      "C51 COMPILATION COMPLETE.  0 WARNING(S),  0 ERROR(S)\r\n",
      run.output);

  const ReadBack record = ReadRecord(Read("out/main.obj"));
  ASSERT_TRUE(record.ok);
  ASSERT_EQ(5u, record.names.size());
  EXPECT_NE(2, record.types[0]);
  const std::string expected[] = {At(folder + "/main.c"), inc_ + "REG51.H", At("inc/cfg.h"),
                                  At(folder + "/local.h"), At(folder + "/deep.h")};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(Canon(expected[i]), Canon(record.names[i]));
    if (i > 0) {
      EXPECT_EQ(2, record.types[i]);
    }
  }
  const std::string listing = Read("out/main.lst");
  EXPECT_NE(std::string::npos, listing.find("OBJECT MODULE PLACED IN .\\out\\main.obj\r\n"));
  EXPECT_NE(std::string::npos, listing.find("    5    P1 = 0;\r\n"));
}

TEST_F(ToolsRunTest, CompilerFindsHeadersWhereAndHowWindowsFindsThem) {
  for (const auto& [path, text] : test::SearchOrderFiles("// SIM: ERROR C1 wrong header\n")) {
    Write(path, text);
  }
  ASSERT_TRUE(SetEnv("C51INC", At("c51inc") + ";" + inc_));
  const ToolRun run =
      Run(Tool("C51.exe") + " \".\\src\\main.c\" INCDIR(.\\inc) OBJECT(.\\main.obj)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const ReadBack record = ReadRecord(Read("main.obj"));
  ASSERT_TRUE(record.ok);
  std::vector<std::string> names;
  for (const std::string& name : record.names) names.push_back(Canon(name));
  std::vector<std::string> expected;
  for (const std::string& name : test::SearchOrderRecord(dir_.path(), inc_)) {
    expected.push_back(Canon(name));
  }
  EXPECT_EQ(expected, names);
}

TEST_F(ToolsRunTest, AssemblerFindsIncludesInAnyLetterCase) {
  Write("asm/Sub/defs.inc", "LED EQU 90H\n");
  Write("inc/regs.inc", "P1 DATA 90H\n");
  Write("asm/start.a51",
        "$NOMOD51\n$INCLUDE ( sub\\DEFS.INC )\n#include < Regs.INC >\n        END\n");
  const ToolRun run = Run(Tool("A51.exe") + " \"asm\\start.a51\" INCDIR(inc) OBJECT(start.obj)");
  EXPECT_EQ(0, run.exit_code) << run.output;
  const ReadBack record = ReadRecord(Read("start.obj"));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ((std::vector<std::string>{Canon(At("asm/sub/DEFS.INC")), Canon(At("inc/Regs.INC"))}),
            [&] {
              std::vector<std::string> names;
              for (const std::string& name : record.headers) names.push_back(Canon(name));
              return names;
            }());
}

// Inside, names are GBK as on a Chinese Windows; on disk, on the command
// line and in what the tools print they are UTF-8.
TEST_F(ToolsRunTest, ChineseNamesAreLocalTextInsideAndUtf8Outside) {
  if (NativePathStyle() != PathStyle::kPosix) GTEST_SKIP() << "Windows keeps one code page";
  test::ScopedEnv gbk("C51_LOCAL_CODEPAGE", "936");
  const std::string source_gbk = "src\\" + std::string(test::kSourceGbk);
  ASSERT_TRUE(CreateDirectories(At("src")));
  ASSERT_TRUE(test::WriteSystemFile(At("src/") + std::string(test::kSourceUtf8),
                                    "#include \"" + std::string(test::kHeaderGbk) +
                                        "\"\nint s; // SIM: WARNING C280 's': unreferenced\n"));
  ASSERT_TRUE(test::WriteSystemFile(At("src/") + std::string(test::kHeaderUtf8),
                                    "int h; // SIM: WARNING C280 'h': unreferenced\n"));
  const ToolRun run = Run(Tool("C51.exe") + " \"" + source_gbk + "\" PRINT");
  EXPECT_EQ(1, run.exit_code) << run.output;
  EXPECT_EQ("*** WARNING C280 IN LINE 1 OF src\\" + std::string(test::kHeaderGbk) +
                ": 'h': unreferenced\n*** WARNING C280 IN LINE 2 OF " + source_gbk +
                ": 's': unreferenced\n",
            StarLines(run.output));
  EXPECT_TRUE(test::IsUtf8(run.system_output));
  EXPECT_NE(std::string::npos, run.system_output.find(test::kHeaderUtf8));
  EXPECT_NE(std::string::npos, run.system_output.find(test::kSourceUtf8));

  // The object is named after the source, on disk in UTF-8; its record
  // names the files in GBK.
  const ReadBack record =
      ReadRecord(test::ReadSystemFile(At("src/") + std::string(test::kObjectUtf8)));
  ASSERT_TRUE(record.ok);
  EXPECT_EQ((std::vector<std::string>{At("src/" + std::string(test::kSourceGbk)),
                                      At("src/" + std::string(test::kHeaderGbk))}),
            record.names);
  // So does the listing's head.
  const std::string listing = test::ReadSystemFile(
      At("src/") + std::string(test::kObjectUtf8.substr(0, test::kObjectUtf8.size() - 3)) + "lst");
  EXPECT_NE(std::string::npos, listing.find("C51 INVOKED BY: " + source_gbk + " PRINT\r\n"));
}

TEST_F(ToolsRunTest, CompilerReportsTheMarkedDiagnostics) {
  Write("hdr.h", "int bad; // SIM: ERROR C141 syntax error near 'int'\n");
  Write("main.c",
        "#include \"hdr.h\"\n"
        "void main(void) { int i; } // SIM: WARNING C280 'i': unreferenced local variable\n"
        "\n"
        "// SIM: ERROR C202 'x': undefined identifier\n");
  Write("main.obj", "left from an earlier run");
  ToolRun run = Run(Tool("C51.exe") + " \".\\main.c\" DEBUG OBJECTEXTEND OBJECT(\"main.obj\")");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ(
      "*** ERROR C141 IN LINE 1 OF .\\hdr.h: syntax error near 'int'\n"
      "*** WARNING C280 IN LINE 2 OF .\\main.c: 'i': unreferenced local variable\n"
      "*** ERROR C202 IN LINE 4 OF .\\main.c: 'x': undefined identifier\n",
      StarLines(run.output));
  EXPECT_NE(std::string::npos,
            run.output.find("\r\nC51 COMPILATION COMPLETE.  1 WARNING(S),  2 ERROR(S)\r\n"));
  EXPECT_FALSE(Exists("main.obj"));

  Write("warn.c", "int w; // SIM: WARNING C280 'w': unreferenced\n");
  run = Run(Tool("C51.exe") + " \"warn.c\" DEBUG");
  EXPECT_EQ(1, run.exit_code);
  EXPECT_TRUE(Exists("warn.obj"));  // the default object: source folder and title
  run = Run(Tool("C51.exe") + " \"warn.c\" WARNINGLEVEL (0)");
  EXPECT_EQ(0, run.exit_code);
  EXPECT_EQ("", StarLines(run.output));
}

TEST_F(ToolsRunTest, FatalErrorsStopWithTheirBlock) {
  Write("inc.c", "int a;\n#include \"gone.h\"\n");
  Write("ok.c", "int a;\n");
  Write("die.c", "int a; /* SIM: FATAL OUT OF MEMORY */\n");
  Write("s.a51", "$INCLUDE (gone.inc)\n");
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
      {"C51.exe", "\"ok.c\" ROM (HUGE)", "  ERROR:   BAD ARGUMENT FOR CONTROL 'ROM'\r\n"},
      {"C51.exe", "\"ok.c\" PRINT(.\\x.lst", "  ERROR:   UNBALANCED PARENTHESES IN CONTROLS\r\n"},
      {"C51.exe", "\"die.c\"", "  ERROR:   OUT OF MEMORY\r\n  FILE:    die.c, LINE 1\r\n"},
      {"C51.exe", "", "  ERROR:   MISSING SOURCE FILE NAME\r\n"},
      {"A51.exe", "\"s.a51\" SET (SMALL) DEBUG EP",
       "A51 FATAL-ERROR -\r\n  ACTION:  PARSING SOURCE-FILE\r\n  LINE:    $INCLUDE (gone.inc)\r\n"
       "  ERROR:   CAN'T OPEN FILE 'gone.inc'\r\n"},
      {"A51.exe", "\"s.a51\" SET", "  ERROR:   CONTROL 'SET' NEEDS AN ARGUMENT\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tool) + " " + c.args);
    const ToolRun run = Run(Tool(c.tool) + " " + c.args);
    EXPECT_EQ(3, run.exit_code);
    EXPECT_NE(std::string::npos, run.output.find(c.block)) << run.output;
  }
  EXPECT_FALSE(Exists("inc.obj"));
  EXPECT_FALSE(Exists("ok.obj"));
}

TEST_F(ToolsRunTest, AssemblerLinesAndRecord) {
  Write("defs.inc", "LED EQU 90H\n");
  Write("asm/start.a51",
        "$NOMOD51\n$INCLUDE (..\\defs.inc)\n        CSEG AT 0\n"
        "        LJMP main ; SIM: ERROR #A45 UNDEFINED SYMBOL\n        END\n");
  Write("out/.keep", "");
  const std::string line =
      Tool("A51.exe") + " \"asm\\start.a51\" SET (SMALL) DEBUG NOPRINT OBJECT(out\\start.obj) EP";
  ToolRun run = Run(line);
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ("*** ERROR #A45 IN 4 (asm\\start.a51, LINE 4): UNDEFINED SYMBOL\n",
            StarLines(run.output));
  EXPECT_NE(std::string::npos, run.output.find("ASSEMBLY COMPLETE.  0 WARNING(S),  1 ERROR(S)"));
  EXPECT_FALSE(Exists("out/start.obj"));

  Write("asm/start.a51", "$NOMOD51\n$INCLUDE (..\\defs.inc)\n        CSEG AT 0\n        END\n");
  run = Run(line);
  EXPECT_EQ(0, run.exit_code);
  const ReadBack record = ReadRecord(Read("out/start.obj"));
  ASSERT_TRUE(record.ok);
  ASSERT_EQ(1u, record.headers.size());
  EXPECT_EQ(Canon(At("defs.inc")), Canon(record.headers[0]));
  EXPECT_EQ(Canon(At("asm/start.a51")), Canon(record.names[0]));
}

// Hex records decoded and checked; returns the number of data bytes.
size_t CheckHex(const std::string& text, size_t* extended) {
  size_t data = 0;
  *extended = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    EXPECT_NE(std::string::npos, end);
    if (end == std::string::npos) break;
    const std::string line = text.substr(pos + 1, end - pos - 1);
    pos = end + 2;
    unsigned sum = 0;
    for (size_t i = 0; i + 1 < line.size(); i += 2)
      sum += std::stoul(line.substr(i, 2), nullptr, 16);
    EXPECT_EQ(0u, sum % 256) << line;
    const unsigned type = std::stoul(line.substr(6, 2), nullptr, 16);
    if (type == 0) data += std::stoul(line.substr(0, 2), nullptr, 16);
    if (type == 4) ++*extended;
  }
  return data;
}

TEST_F(ToolsRunTest, AssemblySourceRouteThenBankedLinkThenHex) {
  Write("cfg.h", "int flag;\n");
  Write("main.c",
        "#include \"cfg.h\"\n"
        "void main(void) { // SIM-LINK: WARNING L16 UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n"
        "  while (1) { flag = 1; }\n}\n");
  Write("util.c", "void helper(void) {\n  P1 = 2;\n}\n");
  Write("Obj/.keep", "");
  ToolRun run =
      Run(Tool("C51.exe") + " \".\\main.c\" DEBUG OBJECTEXTEND SRC (\".\\Obj\\main.SRC\")");
  ASSERT_EQ(0, run.exit_code) << run.output;
  EXPECT_TRUE(Exists("Obj/main.SRC"));
  EXPECT_FALSE(Exists("Obj/main.obj"));
  run =
      Run(Tool("A51.exe") + " \".\\Obj\\main.SRC\" PR(\".\\Obj\\main.ls1\") SET (SMALL) DEBUG EP");
  ASSERT_EQ(0, run.exit_code) << run.output;
  EXPECT_TRUE(Exists("Obj/main.ls1"));
  const ReadBack record = ReadRecord(Read("Obj/main.obj"));  // next to the assembly source
  ASSERT_TRUE(record.ok);
  EXPECT_EQ(Canon(At("Obj/main.SRC")), Canon(record.names[0]));
  ASSERT_EQ(1u, record.headers.size());
  EXPECT_EQ(Canon(At("cfg.h")), Canon(record.headers[0]));
  run = Run(Tool("C51.exe") + " \".\\util.c\" DEBUG OBJECTEXTEND OBJECT(\".\\Obj\\util.obj\")");
  ASSERT_EQ(0, run.exit_code) << run.output;

  std::string lnp =
      "\".\\Obj\\main.obj\",\nBANK1 {\".\\Obj\\util.obj\"} \nTO \".\\Obj\\prog\"\n"
      "BankArea(0x8000,0xFFFF)\nRAMSIZE(256)\n";
  Write("Obj/prog.lnp", lnp + '\0');
  run = Run(Tool("BL51.exe") + " @\".\\Obj\\prog.lnp\"");
  EXPECT_EQ(1, run.exit_code);
  EXPECT_EQ("*** WARNING L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n",
            StarLines(run.output));
  EXPECT_NE(std::string::npos, run.output.find("    MODULE:  .\\Obj\\main.obj (MAIN)\r\n"));
  const size_t size_at = run.output.find("\r\nProgram Size: data=9.0 xdata=0 code=");
  ASSERT_NE(std::string::npos, size_at) << run.output;
  const size_t code = std::stoul(run.output.substr(run.output.find("code=", size_at) + 5));
  EXPECT_NE(std::string::npos,
            run.output.find("\r\nLINK/LOCATE RUN COMPLETE.  1 WARNING(S),  0 ERROR(S)\r\n"));
  EXPECT_TRUE(Exists("Obj/prog"));
  EXPECT_TRUE(Exists("Obj/prog.M51"));

  run = Run(Tool("OH51.exe") + " \".\\Obj\\prog\"");
  EXPECT_EQ(0, run.exit_code) << run.output;
  size_t extended = 0;
  EXPECT_EQ(code, CheckHex(Read("Obj/prog.hex"), &extended));
  EXPECT_EQ(1u, extended);  // the bank's page

  // The same link with the warning disabled.
  Write("Obj/prog.lnp", lnp + "DISABLEWARNING (16)\n" + '\0');
  run = Run(Tool("BL51.exe") + " @\".\\Obj\\prog.lnp\"");
  EXPECT_EQ(0, run.exit_code);
  EXPECT_EQ("", StarLines(run.output));
}

TEST_F(ToolsRunTest, LinkerAndLibraryFailures) {
  Write("a.c", "void a(void) {\n}\n");
  Write("dup.c", "// SIM-LINK: ERROR L104 MULTIPLE PUBLIC DEFINITIONS\n");
  ASSERT_EQ(0, Run(Tool("C51.exe") + " \"a.c\"").exit_code);
  ASSERT_EQ(0, Run(Tool("C51.exe") + " \"dup.c\"").exit_code);

  // Collected into a library, the module keeps its message for the linker.
  Write("lib.lnp", std::string("TRANSFER \n\"dup.obj\",\n\"a.obj\" \nTO \"all.lib\"\n") + '\0');
  ToolRun run = Run(Tool("Lib51.exe") + " @\"lib.lnp\"");
  EXPECT_EQ(0, run.exit_code) << run.output;
  EXPECT_NE(std::string::npos,
            run.output.find("LIBRARY MANAGER RUN COMPLETE.  0 WARNING(S),  0 ERROR(S)\r\n"));
  Write("prog", "left from an earlier run");
  Write("p.lnp", std::string("\"all.lib\" \nTO \"prog\"\n\nRAMSIZE(256)\n") + '\0');
  run = Run(Tool("BL51.exe") + " @\"p.lnp\"");
  EXPECT_EQ(2, run.exit_code);
  EXPECT_EQ("*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n", StarLines(run.output));
  EXPECT_NE(std::string::npos,
            run.output.find("LINK/LOCATE RUN COMPLETE.  0 WARNING(S),  1 ERROR(S)\r\n"));
  EXPECT_FALSE(Exists("prog"));

  struct Case {
    const char* tool;
    const char* args;
    int exit_code;
    const char* stars;
  };
  Write("bad.lnp", "\"a.obj\" \"dup.obj\" TO x");
  Write("gone.lnp", "\"gone.obj\" TO x");
  const Case cases[] = {
      {"BL51.exe", "@\"nothere.lnp\"", 3, "*** FATAL ERROR L210: I/O ERROR ON COMMAND FILE:\n"},
      {"BL51.exe", "@\"bad.lnp\"", 3, "*** FATAL ERROR L250: SYNTAX ERROR IN COMMAND\n"},
      {"BL51.exe", "@\"lib.lnp\"", 3, "*** FATAL ERROR L250: SYNTAX ERROR IN COMMAND\n"},
      {"Lib51.exe", "@\"gone.lnp\"", 2, "*** ERROR 250: SYNTAX ERROR IN COMMAND\n"},
      {"Lib51.exe", "TRANSFER gone.obj TO x.lib", 2, "*** ERROR 210: CAN'T OPEN FILE\n"},
      {"Lib51.exe", "TRANSFER a.c TO x.lib", 2, "*** ERROR 211: INVALID OBJECT FILE\n"},
      {"OH51.exe", "\"nothing\"", 3, "*** FATAL ERROR: CAN'T OPEN FILE 'nothing'\n"},
      {"OH51.exe", "\"a.obj\"", 3, "*** FATAL ERROR: NOT AN ABSOLUTE OBJECT FILE: 'a.obj'\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.tool) + " " + c.args);
    run = Run(Tool(c.tool) + " " + c.args);
    EXPECT_EQ(c.exit_code, run.exit_code);
    EXPECT_EQ(c.stars, StarLines(run.output));
  }
  EXPECT_FALSE(Exists("x.lib"));
}

}  // namespace
}  // namespace c51::sim
