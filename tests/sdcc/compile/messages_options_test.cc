#include <gtest/gtest.h>

#include "sdcc/compile/compile_options.h"
#include "sdcc/compile/object_output.h"
#include "sdcc/compile/sdcc_messages.h"

namespace c51::sdcc {
namespace {

using Kind = ToolMessage::Kind;

TEST(SdccMessages, ReadsEachFormOfCompilerOutput) {
  struct Case {
    const char* line;
    Kind kind;
    const char* file;
    int number;
    const char* code;
    const char* text;
  };
  const Case cases[] = {
      {"main.c:9: error 20: Undefined identifier 'x'", Kind::kError, "main.c", 9, "C202",
       "Undefined identifier 'x'"},
      {"./src/a b.c:12: warning 112: function 'f' implicit declaration", Kind::kWarning,
       "./src/a b.c", 12, "C206", "function 'f' implicit declaration"},
      {"main.c:5: syntax error: token -> '}' ; column 1", Kind::kError, "main.c", 5, "C141",
       "syntax error near '}'"},
      {"inc/x.h:1:10: fatal error: gone.h: No such file or directory", Kind::kMissingInclude,
       "inc/x.h", 1, "", "gone.h"},
      {"main.c:3:2: error: #error stop here", Kind::kError, "main.c", 3, "C320", "stop here"},
      {"main.c:4:2: warning: #warning careful", Kind::kWarning, "main.c", 4, "C998",
       "#warning careful"},
      {"main.c:7: error 47: indirections to different types", Kind::kError, "main.c", 7, "C999",
       "indirections to different types (sdcc 47)"},
      {"at 1: warning 190: ISO C forbids an empty source file", Kind::kWarning, "", 1, "C998",
       "ISO C forbids an empty source file (sdcc 190)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::vector<ToolMessage> m = ParseCompilerOutput(std::string(c.line) + "\n");
    ASSERT_EQ(1u, m.size());
    EXPECT_EQ(c.kind, m[0].kind);
    EXPECT_EQ(c.file, m[0].file);
    EXPECT_EQ(c.number, m[0].line);
    EXPECT_EQ(c.code, m[0].code);
    EXPECT_EQ(c.text, m[0].text);
  }
}

// sdcc's implicit declaration of a called function is a local to its flow
// analysis, which warns that it may be used before it is set: only that
// warning goes, at the call's place and of the call's name. A call passing
// arguments to it is told to have a prototype.
TEST(SdccMessages, DropsTheUninitialisedWarningOfAnImplicitlyDeclaredFunction) {
  const std::vector<ToolMessage> m = ParseCompilerOutput(
      "main.c:3: warning 112: function 'foo' implicit declaration\n"
      "main.c:4: warning 112: function 'foo' implicit declaration\n"
      "main.c:3: warning 84: 'auto' variable 'foo' may be used before initialization\n"
      "main.c:4: warning 84: 'auto' variable 'foo' may be used before initialization\n"
      "main.c:4: warning 84: 'auto' variable 'da' may be used before initialization\n"
      "main.c:9: warning 84: 'auto' variable 'foo' may be used before initialization\n"
      "other.h:3: warning 84: 'auto' variable 'foo' may be used before initialization\n"
      "main.c:4: error 101: too many parameters \n"
      "main.c:9: error 101: too many parameters \n");
  std::vector<std::string> kept;
  for (const ToolMessage& message : m) {
    kept.push_back(message.file + ":" + std::to_string(message.line) + " " + message.text);
  }
  EXPECT_EQ(kept,
            (std::vector<std::string>{
                "main.c:3 function 'foo' implicit declaration",
                "main.c:4 function 'foo' implicit declaration",
                "main.c:4 'auto' variable 'da' may be used before initialization (sdcc 84)",
                "main.c:9 'auto' variable 'foo' may be used before initialization (sdcc 84)",
                "other.h:3 'auto' variable 'foo' may be used before initialization (sdcc "
                "84)",
                "main.c:4 'foo': requires ANSI-style prototype", "main.c:9 too many parameters"}));
  EXPECT_EQ("C267", m[5].code);
  EXPECT_EQ("C208", m[6].code);
}

// sdcc's "excess elements" of an unsigned char array a string fills
// exactly goes; of one a string overfills, or one it cannot find, stays.
TEST(SdccMessages, DropsExcessWarningsOfStringsThatFitExactly) {
  const std::string text =
      "# 1 \"main.c\"\nunsigned char __code wd[3][3] = {\"Mon\", \"Tu\" \"e\", \"\\x57\\145d\"};\n"
      "unsigned char s4[4] = \"\\0abc\";\nunsigned char bad[2][2] = {\"abc\", \"d\"};\n";
  std::vector<ToolMessage> m = ParseCompilerOutput(
      "main.c:2: warning 147: excess elements in array of chars initializer after 'wd'\n"
      "main.c:3: warning 147: excess elements in array of chars initializer after 's4'\n"
      "main.c:4: warning 147: excess elements in array of chars initializer after 'bad'\n"
      "main.c:9: warning 147: excess elements in array of chars initializer after 'font'\n");
  DropExactStringFits(text, &m);
  ASSERT_EQ(2u, m.size());
  EXPECT_EQ(4, m[0].line);
  EXPECT_EQ(9, m[1].line);
}

TEST(SdccMessages, DropsNoiseAndJoinsContinuations) {
  const std::vector<ToolMessage> m = ParseCompilerOutput(
      "removing main.rel\r\n"
      "main.c:5: error 78: incompatible types\n"
      "from type 'char'\n"
      "  to type 'struct s'\n"
      "compilation terminated.\n"
      "main.c:6: warning 85: in function main unreferenced local variable : 'u'");
  ASSERT_EQ(2u, m.size());
  EXPECT_EQ("incompatible types (sdcc 78); from type 'char'; to type 'struct s'", m[0].text);
  EXPECT_EQ("C280", m[1].code);

  // The note after a redefinition belongs to it: one error, not two.
  const std::vector<ToolMessage> twice = ParseCompilerOutput(
      "r.c:2: error 0: Duplicate symbol 'a', symbol IGNORED\n"
      "r.c:1: error 177: previously defined here\n");
  ASSERT_EQ(1u, twice.size());
  EXPECT_EQ(2, twice[0].line);
  EXPECT_NE(std::string::npos, twice[0].text.find("previously defined in line 1")) << twice[0].text;

  // So is the preprocessor's after a macro defined again, which it calls
  // an error although the redefinition is a warning.
  const std::vector<ToolMessage> macro = ParseCompilerOutput(
      "r.c:2:1: warning: \"PWMC\" redefined\nIn file included from /i/STC15.H:8,\n"
      "                 from r.c:1:\n"
      "/i/STC15W4K32S4.H:33:1: error: this is the location of the previous definition\n");
  ASSERT_EQ(1u, macro.size());
  EXPECT_EQ(ToolMessage::Kind::kWarning, macro[0].kind);
  EXPECT_EQ("\"PWMC\" redefined; previously defined in line 33 of /i/STC15W4K32S4.H",
            macro[0].text);
}

TEST(SdccMessages, ReadsAssemblerErrors) {
  const std::vector<ToolMessage> m = ParseAssemblerOutput(
      "removing out.rel\ns.asm:10: Error: <u> undefined symbol encountered"
      "\nx/y.inc:2: Error: <a> machine specific addressing error\n");
  ASSERT_EQ(2u, m.size());
  EXPECT_EQ("#A45", m[0].code);
  EXPECT_EQ(10, m[0].line);
  EXPECT_EQ("UNDEFINED SYMBOL ENCOUNTERED", m[0].text);
  EXPECT_EQ("x/y.inc", m[1].file);
  EXPECT_EQ("#A99", m[1].code);
}

std::string Options(const std::string& controls_text) {
  std::vector<sim::Control> controls;
  std::string err;
  size_t offset = 0;
  CompileRequest request;
  request.source = "main.c";
  request.include_dirs = {"/opt/C51/INC"};
  EXPECT_TRUE(sim::ParseControls(controls_text, &controls, &err, &offset)) << err;
  if (!ApplyCompilerControls(controls, &request, &err)) return "error: " + err;
  std::string out;
  for (const std::string& option : SdccOptions(request)) out += option + " ";
  return out;
}

TEST(CompileOptions, MapsTheControlString) {
  const std::string base = "-mmcs51 --fsigned-char ";
  const std::string inc = "-I/opt/C51/INC ";
  struct Case {
    const char* controls;
    std::string options;
  };
  // Every level keeps the reads of variables an interrupt routine changes.
  const std::string keep =
      "--nogcse --nolospre --noinvariant --disable-warning 158 --disable-warning 110 "
      "--disable-warning 196 --disable-warning 211 --disable-warning 190 --disable-warning 185 "
      "-Wp,-Wno-comment ";
  const std::string small = "-D__C51__=960 -D__MODEL__=0 ";
  const Case cases[] = {
      {"", base + "--model-small --opt-code-speed " + keep + small + inc},
      {"ROM (SMALL) DEBUG OBJECTEXTEND",
       base + "--model-small --acall-ajmp --opt-code-speed " + keep + "--debug " + small + inc},
      {"COMPACT ROM (COMPACT)",
       base + "--model-medium --opt-code-speed " + keep + "-D__C51__=960 -D__MODEL__=1 " + inc},
      {"LARGE OPTIMIZE (9,SIZE)",
       base + "--model-large --opt-code-size " + keep + "-D__C51__=960 -D__MODEL__=2 " + inc},
      {"OPTIMIZE (5)", base + "--model-small --opt-code-speed " + keep +
                           "--noloopreverse --noinduction " + small + inc},
      {"OPTIMIZE (0,SPEED)", base + "--model-small --opt-code-speed --nooverlay --no-peep " + keep +
                                 "--noloopreverse --noinduction " + small + inc},
      {"DEFINE (A, B=2) INCDIR (.\\inc;\"my dir\")", base + "--model-small --opt-code-speed " +
                                                         keep + small +
                                                         "-DA -DB=2 -I./inc -Imy dir " + inc},
      {"OPTIMIZE (12)", "error: BAD ARGUMENT FOR CONTROL 'OPTIMIZE'"},
      {"ROM (HUGE)", "error: BAD ARGUMENT FOR CONTROL 'ROM'"},
      {"WARNINGLEVEL (3)", "error: BAD ARGUMENT FOR CONTROL 'WARNINGLEVEL'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.controls);
    EXPECT_EQ(c.options, Options(c.controls));
  }
}

// Module names reach the object's public debug symbols: two names must
// never become one.
TEST(ModuleFileTitle, KeepsNamesApart) {
  const struct {
    const char* source;
    const char* title;
  } rows[] = {{"main.c", "main"},
              {"src\\my file-2.c", "my_file_2"},
              {"1st.c", "m1st"},
              {"\xCF\xD4\xCA\xBE.c", "CFD4CABE"},  // two GBK characters
              {"\xB0\xB4\xBC\xFC.c", "B0B4BCFC"},  // two others of the same length
              {"led\xB5\xC6.C", "ledB5C6"}};
  for (const auto& row : rows) EXPECT_EQ(ModuleFileTitle(row.source), row.title) << row.source;
}

}  // namespace
}  // namespace c51::sdcc
