#include "sim/source_scan.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "sim/translation.h"
#include "tools/fake_files.h"

namespace c51::sim {
namespace {

class SourceScanTest : public testing::Test {
 protected:
  SourceScanTest() {
    settings_.cwd = "/p";
    settings_.style = PathStyle::kPosix;
  }
  ScanResult Scan(const std::string& source) { return ScanSource(source, settings_, &files_); }
  static std::string Names(const ScanResult& result) {
    std::string out;
    for (const ScannedFile& f : result.files) out += f.path + "=" + f.full_path + ";";
    return out;
  }
  FakeFileSource files_;
  ScanSettings settings_;
};

// Quoted names: the including file's folder, the current folder, INCDIR,
// C51INC; never the source's folder for a header's include. Angle names:
// INCDIR, then C51INC only.
TEST_F(SourceScanTest, SearchesIncludingFolderCurrentFolderIncdirThenEnvironment) {
  settings_.include_dirs = {".\\inc", "/opt/c51/INC/"};
  files_.Add("src\\main.c",
             "#include \"sub\\a.h\"\n"
             "  #  include < REG51.H >  // angle: include folders only\n"
             "#include \"local.h\"\n");
  files_.Add("src\\sub\\a.h", "#include \"b.h\"\n");
  files_.Add("src\\b.h", "wrong");     // the source's folder is not the header's
  files_.Add("b.h", "");               // the current folder, before INCDIR
  files_.Add(".\\inc\\b.h", "wrong");  // behind the current folder
  files_.Add(".\\inc\\local.h", "");   // INCDIR before C51INC
  files_.Add("/opt/c51/INC/local.h", "wrong");
  files_.Add("src\\REG51.H", "wrong");  // never looked at for <...>
  files_.Add("REG51.H", "wrong");       // nor the current folder
  files_.Add("/opt/c51/INC/REG51.H", "sfr P0 = 0x80;\n");
  const ScanResult result = Scan("src\\main.c");
  ASSERT_EQ(ScanResult::Status::kOkay, result.status);
  EXPECT_EQ(
      "src\\main.c=/p/src/main.c;"
      "src\\sub\\a.h=/p/src/sub/a.h;"
      "b.h=/p/b.h;"
      "/opt/c51/INC/REG51.H=/opt/c51/INC/REG51.H;"
      ".\\inc\\local.h=/p/inc/local.h;",
      Names(result));
  const std::vector<std::string> expected = {
      "src\\main.c",  "src\\sub\\a.h",   "src\\sub\\b.h",
      "b.h",          ".\\inc\\REG51.H", "/opt/c51/INC/REG51.H",
      "src\\local.h", "local.h",         ".\\inc\\local.h"};
  EXPECT_EQ(expected, files_.reads());
}

TEST(IncludeLineTest, NamesAsTheWindowsToolsReadThem) {
  using Kind = IncludeRequest::Kind;
  struct Case {
    const char* code;
    Dialect dialect;
    Kind kind;
    const char* name;
  };
  const Case cases[] = {
      {"#include < reg51.h >", Dialect::kC, Kind::kAngle, "reg51.h"},
      {"#include <\tREG51.H>", Dialect::kC, Kind::kAngle, "REG51.H"},
      {"#include \"lib\\CH554.H\"", Dialect::kC, Kind::kQuoted, "lib\\CH554.H"},
      {"#include \"my dir\\cfg.h  \"", Dialect::kC, Kind::kQuoted, "my dir\\cfg.h"},
      {" #  include \"a.h\" ", Dialect::kC, Kind::kQuoted, "a.h"},
      {"#include<reg52.h>", Dialect::kC, Kind::kAngle, "reg52.h"},
      {"#include\"temp.h\"", Dialect::kC, Kind::kQuoted, "temp.h"},
      {"# include<intrins.h> // nop", Dialect::kC, Kind::kAngle, "intrins.h"},
      {"#includes <a.h>", Dialect::kC, Kind::kNone, ""},
      {"#INCLUDE \"a.h\"", Dialect::kC, Kind::kNone, ""},
      {"#INCLUDE \"a.inc\"", Dialect::kAssembly, Kind::kQuoted, "a.inc"},
      {"$INCLUDE ( defs.inc )", Dialect::kAssembly, Kind::kQuoted, "defs.inc"},
      {"$NOMOD51 INCLUDE (sub\\defs.inc)", Dialect::kAssembly, Kind::kQuoted, "sub\\defs.inc"},
      {"$NOMOD51", Dialect::kAssembly, Kind::kNone, ""},
      {"$INCLUDE (x.inc)", Dialect::kC, Kind::kNone, ""},
      {"#include x.h", Dialect::kC, Kind::kBad, ""},
      {"#include < >", Dialect::kC, Kind::kBad, ""},
      {"#include \"a.h", Dialect::kC, Kind::kBad, ""},
      {"#define X 1", Dialect::kC, Kind::kNone, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const IncludeRequest request = FindInclude(c.code, c.dialect);
    EXPECT_EQ(c.kind, request.kind);
    EXPECT_EQ(c.name, request.name);
  }
}

TEST_F(SourceScanTest, ReadsEachFileOnceAndSurvivesCycles) {
  files_.Add("m.c", "#include \"a.h\"\n#include \"b.h\"\n#include \"./a.h\"\n");
  files_.Add("a.h", "#include \"b.h\"\nint in_a;\n");
  files_.Add("b.h", "#include \"a.h\"\nint in_b;\n");
  const ScanResult result = Scan("m.c");
  ASSERT_EQ(ScanResult::Status::kOkay, result.status);
  EXPECT_EQ("m.c=/p/m.c;a.h=/p/a.h;b.h=/p/b.h;", Names(result));
  EXPECT_EQ("int in_b;\nint in_a;\n", result.expanded);
  EXPECT_EQ(2u, result.data);
}

TEST_F(SourceScanTest, MissingIncludeIsFatalAtItsLine) {
  files_.Add("m.c",
             "// SIM: WARNING C280 'i': unreferenced local variable\nint x;\n"
             "#include \"gone.h\"\n// SIM: ERROR C1 never reached\n");
  const ScanResult result = Scan("m.c");
  ASSERT_EQ(ScanResult::Status::kFatal, result.status);
  ASSERT_EQ(2u, result.diagnostics.size());
  const Diagnostic& fatal = result.diagnostics.back();
  EXPECT_EQ(Severity::kFatal, fatal.severity);
  EXPECT_EQ("CAN'T OPEN FILE 'gone.h'", fatal.text);
  EXPECT_EQ("m.c", fatal.file);
  EXPECT_EQ(3, fatal.line);
  EXPECT_EQ("#include \"gone.h\"", fatal.line_text);

  files_.Add("n.c", "#include gone.h\n");
  EXPECT_EQ("BAD FILE NAME IN INCLUDE LINE", Scan("n.c").diagnostics.back().text);
  EXPECT_EQ(ScanResult::Status::kSourceMissing, Scan("none.c").status);
}

TEST_F(SourceScanTest, MarkersInCommentsOnly) {
  files_.Add("h.h", "\n/* SIM: ERROR C141 syntax error near 'x' */\n");
  files_.Add("m.c",
             "#include \"h.h\"\n"
             "char* s = \"// SIM: ERROR C9 inside a string\";\n"
             "int x; // SIM: ERROR C202 'x': undefined identifier\n"
             "/* a block\n"
             "   SIM: WARNING C280 'i': unreferenced local variable\n"
             "*/ // SIM-LINK: WARNING L16 UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n"
             "// SIM: NOTE C1 not a severity\n"
             "// SIM: ERROR\n"
             "// XSIM: ERROR C2 not a marker\n"
             "// SIM: FATAL OUT OF MEMORY\n"
             "// SIM: ERROR C3 after the fatal one\n");
  const ScanResult result = Scan("m.c");
  ASSERT_EQ(ScanResult::Status::kFatal, result.status);
  std::string seen;
  for (const Diagnostic& d : result.diagnostics) {
    seen += d.file + "(" + std::to_string(d.line) + ") " + d.code + "|" + d.text + "\n";
  }
  EXPECT_EQ(
      "h.h(2) C141|syntax error near 'x'\n"
      "m.c(3) C202|'x': undefined identifier\n"
      "m.c(5) C280|'i': unreferenced local variable\n"
      "m.c(10) |OUT OF MEMORY\n",
      seen);
  EXPECT_EQ(Severity::kWarning, result.diagnostics[2].severity);
  ASSERT_EQ(1u, result.link_markers.size());
  EXPECT_EQ("L16", result.link_markers[0].code);
  EXPECT_EQ("UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS", result.link_markers[0].text);
  EXPECT_EQ((std::vector<std::string>{"m.c(7)", "m.c(8)"}), result.ignored_markers);
}

// The process faults: FLOOD adds up, HANG takes the strongest, and
// anything else after them is not understood.
TEST_F(SourceScanTest, FloodAndHangMarkers) {
  struct Row {
    const char* text;
    uint64_t flood_bytes;
    bool flood_warnings;
    ScanResult::Hang hang;
    size_t ignored;
  };
  const Row rows[] = {
      {"int x;\n", 0, false, ScanResult::Hang::kNo, 0},
      {"// SIM: FLOOD 100\n// SIM: FLOOD 23 warnings\n", 123, true, ScanResult::Hang::kNo, 0},
      {"// SIM: FLOOD\n// SIM: FLOOD many\n// SIM: FLOOD 5 LINES\n", 0, false,
       ScanResult::Hang::kNo, 3},
      {"// SIM: HANG\n", 0, false, ScanResult::Hang::kUntilKilled, 0},
      {"// SIM: HANG IGNORE-INT\n// SIM: HANG\n", 0, false, ScanResult::Hang::kIgnoringInterrupts,
       0},
      {"// SIM: HANG FOREVER\n", 0, false, ScanResult::Hang::kNo, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    files_.Add("f.c", row.text);
    const ScanResult result = Scan("f.c");
    EXPECT_EQ(row.flood_bytes, result.flood_bytes);
    EXPECT_EQ(row.flood_warnings, result.flood_warnings);
    EXPECT_EQ(row.hang, result.hang);
    EXPECT_EQ(row.ignored, result.ignored_markers.size());
  }
}

TEST_F(SourceScanTest, AssemblyIncludesMarkersAndBytes) {
  settings_.dialect = Dialect::kAssembly;
  files_.Add("defs.inc", "LED EQU P1.0 ; SIM: WARNING #A41 MISSING 'END' STATEMENT\n");
  files_.Add("s.a51",
             "$NOMOD51 INCLUDE (defs.inc)\n"
             "; SIM-DEPENDS: /p/gen/extra.h\n"
             "?DT?S SEGMENT DATA\n"
             "        RSEG ?DT?S\n"
             "buf:    DS 10\n"
             "        CSEG AT 0\n"
             "start:  DB 012H, 'AB', 0x7F ; SIM: ERROR #A45 UNDEFINED SYMBOL\n"
             "        DW 1234H\n"
             "        END\n");
  const ScanResult result = Scan("s.a51");
  ASSERT_EQ(ScanResult::Status::kOkay, result.status);
  EXPECT_EQ("s.a51=/p/s.a51;defs.inc=/p/defs.inc;", Names(result));
  EXPECT_EQ((std::vector<std::string>{"/p/gen/extra.h"}), result.extra_depends);
  EXPECT_EQ((std::vector<uint8_t>{0x12, 'A', 'B', 0x7F, 0x12, 0x34}), result.code);
  EXPECT_EQ(10u, result.data);
  ASSERT_EQ(2u, result.diagnostics.size());
  EXPECT_EQ("defs.inc", result.diagnostics[0].file);
  EXPECT_EQ(7, result.diagnostics[1].line);
}

TEST_F(SourceScanTest, SimulatedCodeDependsOnTheLinesOnly) {
  files_.Add("a.c", "void f(void) {\n  P1 = 0;\n}\n");
  files_.Add("b.c", "/* other comment */ void f(void) {\n  P1 = 0;   \n}\n");
  files_.Add("c.c", "void f(void) {\n  P1 = 1;\n}\n");
  const ScanResult a = Scan("a.c"), b = Scan("b.c"), c = Scan("c.c");
  EXPECT_EQ(7u, a.code.size());  // three lines of two bytes and a return
  EXPECT_EQ(0x22, a.code.back());
  EXPECT_NE(a.code, c.code);
  EXPECT_EQ(a.code, b.code);  // comments and trailing blanks do not count
}

// The lines must parse with the formats the build's output filter uses on
// the upper-cased line.
TEST(DiagnosticFormatTest, LinesParseWithTheFiltersFormats) {
  Diagnostic c{Severity::kError, "C202", "'x': undefined identifier", ".\\src\\main.c", 12, ""};
  std::string line = ToUpper(FormatDiagnostic(Dialect::kC, c));
  EXPECT_EQ("*** ERROR C202 IN LINE 12 OF .\\SRC\\MAIN.C: 'X': UNDEFINED IDENTIFIER", line);
  char code[64] = {}, file[256] = {}, text[256] = {};
  int number = 0;
  ASSERT_EQ(4, sscanf(line.c_str(), "*** ERROR%63s%*[^0-9]%d%*s%255[^:]:%255[^\n]", code, &number,
                      file, text));
  EXPECT_STREQ("C202", code);
  EXPECT_EQ(12, number);
  EXPECT_STREQ(" .\\SRC\\MAIN.C", file);
  EXPECT_STREQ(" 'X': UNDEFINED IDENTIFIER", text);

  c.severity = Severity::kWarning;
  c.code = "C280";
  line = ToUpper(FormatDiagnostic(Dialect::kC, c));
  ASSERT_EQ(4, sscanf(line.c_str(), "*** WARNING%63s%*[^0-9]%d%*s%255[^:]:%255[^\n]", code, &number,
                      file, text));
  EXPECT_STREQ("C280", code);

  Diagnostic a{Severity::kError, "#A45", "UNDEFINED SYMBOL", "C:\\P\\X.A51", 3, ""};
  line = ToUpper(FormatDiagnostic(Dialect::kAssembly, a));
  EXPECT_EQ("*** ERROR #A45 IN 3 (C:\\P\\X.A51, LINE 3): UNDEFINED SYMBOL", line);
  ASSERT_EQ(4, sscanf(line.c_str(), "*** ERROR%63s%*[^(](%255[^,],%*[^0-9]%d):%255[^\n]", code,
                      file, &number, text));
  EXPECT_STREQ("#A45", code);
  EXPECT_STREQ("C:\\P\\X.A51", file);
  EXPECT_EQ(3, number);
  EXPECT_STREQ(" UNDEFINED SYMBOL", text);

  EXPECT_EQ("C51 COMPILATION COMPLETE.  1 WARNING(S),  2 ERROR(S)",
            FormatSummary(Dialect::kC, 1, 2));
}

}  // namespace
}  // namespace c51::sim
