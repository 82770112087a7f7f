#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "host/build_output.h"

namespace c51::host {
namespace {

TEST(BuildOutputTest, LinesAreClassified) {
  struct Case {
    const char* line;
    LineKind kind;
  } cases[] = {
      {"compiling main.c...", LineKind::kProgress},
      {"assembling C:\\p\\start.a51...", LineKind::kProgress},
      {"C:\\p\\MAIN.C(12):C202: 'X': UNDEFINED IDENTIFIER", LineKind::kDiagnostic},
      {"/p/a (copy)/x.c(3):C1: T", LineKind::kDiagnostic},
      {"*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS", LineKind::kError},
      {"C51 FATAL-ERROR -", LineKind::kError},
      {"Program build aborted.", LineKind::kError},
      {"Target not created", LineKind::kError},
      {"--- Error: User command terminated,Exit code = 3", LineKind::kError},
      {"*** WARNING L16: UNCALLED SEGMENT", LineKind::kWarning},
      {"\"demo\" - 0 error(s), 1 warning(s).", LineKind::kSummary},
      {"linking...", LineKind::kPlain},
      {"Program Size: data=9.0 xdata=0 code=15", LineKind::kPlain},
      {"build target 'demo-Target 1'", LineKind::kPlain},
      {"(12):C1: no path", LineKind::kPlain},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(ClassifyLine(c.line), c.kind);
  }
}

TEST(BuildOutputTest, DiagnosticsSplitAfterTheLineNumber) {
  struct Case {
    const char* line;
    const char* location;
    const char* code;
    const char* text;
  } cases[] = {
      {"C:\\p\\MAIN.C(12):C202: 'X'", "C:\\p\\MAIN.C(12)", "C202", " 'X'"},
      {"/p/a(1)/b(2)x/m.c(7):#A45: UNDEFINED", "/p/a(1)/b(2)x/m.c(7)", "#A45", " UNDEFINED"},
      {"/p/m.c(7):C1:", "/p/m.c(7)", "C1", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::string_view location, code, text;
    ASSERT_TRUE(SplitDiagnostic(c.line, &location, &code, &text));
    EXPECT_EQ(location, c.location);
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(text, c.text);
  }
  std::string_view a, b, c;
  EXPECT_FALSE(SplitDiagnostic("main.c(x):C1: t", &a, &b, &c));
  EXPECT_FALSE(SplitDiagnostic("main.c(12): no code colon", &a, &b, &c));
}

TEST(BuildOutputTest, SummaryErrorCounts) {
  EXPECT_EQ(SummaryErrorCount("\"d\" - 0 error(s), 2 warning(s)."), 0);
  EXPECT_EQ(SummaryErrorCount("\"d\" - 17 error(s), 0 warning(s)."), 17);
  EXPECT_EQ(SummaryErrorCount("no count"), -1);
}

TEST(BuildOutputTest, ColourMarksDiagnosticsAndTheSummary) {
  std::string diagnostic = DecorateLine("m.c(3):C1: t", LineKind::kDiagnostic, true);
  EXPECT_NE(diagnostic.find("\x1b[1mm.c(3)\x1b[0m"), std::string::npos) << diagnostic;
  EXPECT_NE(DecorateLine("\"d\" - 2 error(s), 0 warning(s).", LineKind::kSummary, true)
                .find("\x1b[1;31m"),
            std::string::npos);
  EXPECT_NE(DecorateLine("\"d\" - 0 error(s), 0 warning(s).", LineKind::kSummary, true)
                .find("\x1b[1;32m"),
            std::string::npos);
  EXPECT_EQ(DecorateLine("m.c(3):C1: t", LineKind::kDiagnostic, false), "m.c(3):C1: t");
}

std::string ReadBack(FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
  return text;
}

TEST(BuildOutputTest, ProgressIsNumberedAndTheSummaryComesLast) {
  FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    BuildOutput output(file, false);
    output.set_planned_steps(2);
    output.Write("build target 'd-T'", 1);
    output.Write("compiling a.c...", 1);
    output.Write("compiling b.c...", 1);
    // More steps than planned: the total follows.
    output.Write("assembling b.SRC...", 1);
    EXPECT_EQ(output.program_code_bytes(), -1);
    output.Write("Program Size: data=9.0 xdata=0 code=4133", 1);
    EXPECT_EQ(output.program_code_bytes(), 4133);
    output.Write("\"d\" - 1 error(s), 0 warning(s).", 1);
    // An "AfterBuild" command's echo arrives after the summary.
    output.Write("User Command #1:x\r\n", 0);
    EXPECT_EQ(output.summary_errors(), 1);
    EXPECT_EQ(output.steps_seen(), 3);
  }
  EXPECT_EQ(ReadBack(file),
            "build target 'd-T'\n"
            "[1/2] compiling a.c...\n"
            "[2/2] compiling b.c...\n"
            "[3/3] assembling b.SRC...\n"
            "Program Size: data=9.0 xdata=0 code=4133\n"
            "User Command #1:x\r\n"
            "\"d\" - 1 error(s), 0 warning(s).\n");
  std::fclose(file);
}

TEST(BuildOutputTest, GbkTextsAreConvertedToUtf8) {
#if defined(_WIN32)
  GTEST_SKIP() << "Windows writes the console's or the ANSI code page";
#endif
  FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  {
    BuildOutput output(file, false);
    // One GBK character ("middle").
    output.Write("\xD6\xD0", 1);
  }
  EXPECT_EQ(ReadBack(file), "\xE4\xB8\xAD\n");
  std::fclose(file);
}

}  // namespace
}  // namespace c51::host
