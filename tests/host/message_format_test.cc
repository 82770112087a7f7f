// Diagnostics in the plain, GNU and GitHub layouts, fed with the lines the
// plug-in passes on from real tool output: C51 and A51 diagnostics, the
// linker's messages with their detail lines, a compiler's fatal-error
// block, paths with blanks.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/build_output.h"
#include "host/message_format.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

TEST(MessageFormatTest, ToolMessagesAreRead) {
  struct Case {
    const char* line;
    Severity severity;
    const char* code;
    const char* text;
  } cases[] = {
      {"*** WARNING L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS", Severity::kWarning, "L16",
       "UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS"},
      {"*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS", Severity::kError, "L104",
       "MULTIPLE PUBLIC DEFINITIONS"},
      {"*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:", Severity::kFatal, "L210",
       "I/O ERROR ON INPUT FILE:"},
      {"*** ERROR 210: CAN'T OPEN FILE", Severity::kError, "210", "CAN'T OPEN FILE"},
      {"*** FATAL ERROR: CAN'T READ PROGRAM", Severity::kFatal, "", "CAN'T READ PROGRAM"},
      {"*** ERROR: \"C51.exe\" could not be started (system error 2)", Severity::kError, "",
       "\"C51.exe\" could not be started (system error 2)"},
      {"*** WARNING: output of \"BL51.exe\" cut at 64 MiB", Severity::kWarning, "",
       "output of \"BL51.exe\" cut at 64 MiB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Diagnostic diagnostic;
    ASSERT_TRUE(ParseToolMessage(c.line, &diagnostic));
    EXPECT_EQ(diagnostic.severity, c.severity);
    EXPECT_EQ(diagnostic.code, c.code);
    EXPECT_EQ(diagnostic.text, c.text);
  }
  Diagnostic none;
  for (const char* line : {"linking...", "*** ERRORS", "LINK/LOCATE RUN COMPLETE. 0 ERROR(S)"})
    EXPECT_FALSE(ParseToolMessage(line, &none)) << line;
}

TEST(MessageFormatTest, DetailLinesNameTheirFiles) {
  struct Case {
    const char* detail;
    const char* path;  // null: none
    int line;
  } cases[] = {
      {"    MODULE:  .\\Debug\\main.obj (MAIN)", ".\\Debug\\main.obj", 0},
      {"    MODULE:  /p/my dir (1)/x.obj (X)", "/p/my dir (1)/x.obj", 0},
      {"    FILE:    .\\Debug\\gone.obj", ".\\Debug\\gone.obj", 0},
      {"  FILE:    C:\\P\\MAIN.C, LINE 3", "C:\\P\\MAIN.C", 3},
      {"  FILE:    /p/a, LINE b.c", "/p/a, LINE b.c", 0},
      {"    SYMBOL:  COUNT", nullptr, 0},
      {"    FILE:    ", nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.detail);
    size_t start = 0, length = 0;
    int line = -1;
    const std::string detail = c.detail;
    ASSERT_EQ(DetailPath(detail, &start, &length, &line), c.path != nullptr);
    if (!c.path) continue;
    EXPECT_EQ(detail.substr(start, length), c.path);
    EXPECT_EQ(line, c.line);
  }
}

TEST(MessageFormatTest, FormatsAreNamed) {
  MessageFormat format = MessageFormat::kGnu;
  ASSERT_TRUE(ParseMessageFormat("plain", &format));
  EXPECT_EQ(format, MessageFormat::kPlain);
  ASSERT_TRUE(ParseMessageFormat("github", &format));
  EXPECT_EQ(format, MessageFormat::kGithub);
  EXPECT_FALSE(ParseMessageFormat("GNU", &format));
  EXPECT_FALSE(ParseMessageFormat("", &format));
}

TEST(MessageFormatTest, GithubTextIsEscaped) {
  Diagnostic diagnostic;
  diagnostic.severity = Severity::kError;
  diagnostic.file = "a,b:c/m.c";
  diagnostic.line = 2;
  diagnostic.code = "C1";
  diagnostic.text = "100% of x: y, z";
  diagnostic.details = {"    SYMBOL:  X"};
  EXPECT_EQ(GithubLine(diagnostic),
            "::error file=a%2Cb%3Ac/m.c,line=2,title=C1::100%25 of x: y, z%0ASYMBOL:  X");
  diagnostic.file.clear();
  diagnostic.code.clear();
  diagnostic.line = 0;
  diagnostic.program = "BL51";
  diagnostic.details.clear();
  EXPECT_EQ(GithubLine(diagnostic), "::error title=BL51::100%25 of x: y, z");
}

TEST(MessageFormatTest, ErrorsAndWarningsAreColouredApart) {
  const std::string warning = DecorateLine("m.c(3):C280: t", LineKind::kDiagnostic, true);
  const std::string error = DecorateLine("m.c(3):C202: t", LineKind::kDiagnostic, true);
  EXPECT_NE(warning.find("\x1b[1;33mC280"), std::string::npos) << warning;
  EXPECT_NE(error.find("\x1b[1;31mC202"), std::string::npos) << error;
  for (const char* code : {"C173", "C182", "C206", "C280", "C294", "C317", "C998"})
    EXPECT_EQ(CodeSeverity(code), Severity::kWarning) << code;
  // Unknown codes and near misses are errors: a failure never passes as a warning.
  for (const char* code : {"C141", "C202", "C999", "C2800", "C28", "c280", "#A45", ""})
    EXPECT_EQ(CodeSeverity(code), Severity::kError) << code;
}

// A build's lines as the plug-in sends them, "@" standing for the project
// folder, and what each format shows with the current folder there.
const char* const kBuildLines[] = {
    "build target 'd-T'",
    "compiling main.c...",
    "@/.\\SRC\\MAIN.C(6):C280: 'UNUSED': UNREFERENCED LOCAL VARIABLE",
    "@/.\\SRC\\MAIN.C(9):C202: 'X': UNDEFINED IDENTIFIER",
    "assembling @/MY DIR/START.A51...",
    "@/MY DIR\\START.A51(3):#A45: UNDEFINED SYMBOL (PASS-2)",
    "compiling bad.c...",
    "C51 FATAL-ERROR -",
    "  ACTION:  PARSING INVOKE-/#PRAGMA-LINE",
    "  LINE:    #pragma FOO",
    "  ERROR:   UNKNOWN CONTROL",
    "  FILE:    .\\SRC\\MAIN.C, LINE 3",
    "C51 TERMINATED.",
    "linking...",
    "*** WARNING L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS",
    "    SEGMENT: ?PR?UNUSED?MAIN",
    "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS",
    "    SYMBOL:  COUNT",
    "    MODULE:  .\\DEBUG\\MAIN.OBJ (MAIN)",
    "*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:",
    "    FILE:    .\\Debug\\gone.obj",
    "Target not created",
    "\"d\" - 5 error(s), 2 warning(s).",
};

const char kPlain[] =
    "build target 'd-T'\n"
    "[1] compiling main.c...\n"
    "src/main.c(6):C280: 'UNUSED': UNREFERENCED LOCAL VARIABLE\n"
    "src/main.c(9):C202: 'X': UNDEFINED IDENTIFIER\n"
    "[2] assembling my dir/start.a51...\n"
    "my dir/start.a51(3):#A45: UNDEFINED SYMBOL (PASS-2)\n"
    "[3] compiling bad.c...\n"
    "C51 FATAL-ERROR -\n"
    "  ACTION:  PARSING INVOKE-/#PRAGMA-LINE\n"
    "  LINE:    #pragma FOO\n"
    "  ERROR:   UNKNOWN CONTROL\n"
    "  FILE:    src/main.c, LINE 3\n"
    "C51 TERMINATED.\n"
    "linking...\n"
    "*** WARNING L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n"
    "    SEGMENT: ?PR?UNUSED?MAIN\n"
    "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
    "    SYMBOL:  COUNT\n"
    "    MODULE:  Debug/main.obj (MAIN)\n"
    "*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:\n"
    "    FILE:    Debug/gone.obj\n"
    "Target not created\n"
    "\"d\" - 5 error(s), 2 warning(s).\n";

const char kGnu[] =
    "build target 'd-T'\n"
    "[1] compiling main.c...\n"
    "src/main.c:6: warning: C280: 'UNUSED': UNREFERENCED LOCAL VARIABLE\n"
    "src/main.c:9: error: C202: 'X': UNDEFINED IDENTIFIER\n"
    "[2] assembling my dir/start.a51...\n"
    "my dir/start.a51:3: error: #A45: UNDEFINED SYMBOL (PASS-2)\n"
    "[3] compiling bad.c...\n"
    "src/main.c:3: fatal error: UNKNOWN CONTROL\n"
    "  ACTION:  PARSING INVOKE-/#PRAGMA-LINE\n"
    "  LINE:    #pragma FOO\n"
    "  ERROR:   UNKNOWN CONTROL\n"
    "  FILE:    src/main.c, LINE 3\n"
    "C51 TERMINATED.\n"
    "linking...\n"
    "BL51: warning: L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n"
    "    SEGMENT: ?PR?UNUSED?MAIN\n"
    "Debug/main.obj: error: L104: MULTIPLE PUBLIC DEFINITIONS\n"
    "    SYMBOL:  COUNT\n"
    "    MODULE:  Debug/main.obj (MAIN)\n"
    "Debug/gone.obj: fatal error: L210: I/O ERROR ON INPUT FILE\n"
    "    FILE:    Debug/gone.obj\n"
    "Target not created\n"
    "\"d\" - 5 error(s), 2 warning(s).\n";

// The plain lines, each diagnostic followed by its annotation.
const char kGithub[] =
    "build target 'd-T'\n"
    "[1] compiling main.c...\n"
    "src/main.c(6):C280: 'UNUSED': UNREFERENCED LOCAL VARIABLE\n"
    "::warning file=src/main.c,line=6,title=C280::'UNUSED': UNREFERENCED LOCAL VARIABLE\n"
    "src/main.c(9):C202: 'X': UNDEFINED IDENTIFIER\n"
    "::error file=src/main.c,line=9,title=C202::'X': UNDEFINED IDENTIFIER\n"
    "[2] assembling my dir/start.a51...\n"
    "my dir/start.a51(3):#A45: UNDEFINED SYMBOL (PASS-2)\n"
    "::error file=my dir/start.a51,line=3,title=#A45::UNDEFINED SYMBOL (PASS-2)\n"
    "[3] compiling bad.c...\n"
    "C51 FATAL-ERROR -\n"
    "  ACTION:  PARSING INVOKE-/#PRAGMA-LINE\n"
    "  LINE:    #pragma FOO\n"
    "  ERROR:   UNKNOWN CONTROL\n"
    "  FILE:    src/main.c, LINE 3\n"
    "C51 TERMINATED.\n"
    "::error file=src/main.c,line=3,title=C51::UNKNOWN CONTROL%0AACTION:  PARSING "
    "INVOKE-/#PRAGMA-LINE%0ALINE:    #pragma FOO%0AERROR:   UNKNOWN CONTROL%0AFILE:    "
    "src/main.c, LINE 3\n"
    "linking...\n"
    "*** WARNING L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n"
    "    SEGMENT: ?PR?UNUSED?MAIN\n"
    "::warning title=L16::UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS%0ASEGMENT: "
    "?PR?UNUSED?MAIN\n"
    "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
    "    SYMBOL:  COUNT\n"
    "    MODULE:  Debug/main.obj (MAIN)\n"
    "::error file=Debug/main.obj,title=L104::MULTIPLE PUBLIC DEFINITIONS%0ASYMBOL:  "
    "COUNT%0AMODULE:  Debug/main.obj (MAIN)\n"
    "*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:\n"
    "    FILE:    Debug/gone.obj\n"
    "::error file=Debug/gone.obj,title=L210::I/O ERROR ON INPUT FILE:%0AFILE:    "
    "Debug/gone.obj\n"
    "Target not created\n"
    "\"d\" - 5 error(s), 2 warning(s).\n";

std::string ReadBack(FILE* file) {
  std::string text;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
  return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

TEST(MessageFormatTest, EachFormatShowsABuild) {
  test::ScopedTempDir dir("c51format");
  ASSERT_FALSE(dir.path().empty());
  std::string err;
  for (const char* file : {"src/main.c", "my dir/start.a51", "Debug/main.obj"}) {
    const std::string path = dir.path() + file;
    ASSERT_TRUE(CreateDirectories(path.substr(0, path.rfind('/'))));
    ASSERT_TRUE(WriteWholeFile(path, "x", &err)) << err;
  }
  std::string root = dir.path();
  root.pop_back();
  struct Case {
    MessageFormat format;
    const char* expected;
  } cases[] = {
      {MessageFormat::kPlain, kPlain},
      {MessageFormat::kGnu, kGnu},
      {MessageFormat::kGithub, kGithub},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.format));
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    {
      BuildOutput output(file, false);
      output.set_format(c.format);
      output.set_folders(root, root);
      for (const char* line : kBuildLines) output.Write(Replaced(line, "@", root), 1);
    }
    std::string expected = c.expected;
    if (NativePathStyle() == PathStyle::kWindows) {
      // Windows shows names in the case the tools wrote them.
      expected = Replaced(expected, "src/main.c", "SRC/MAIN.C");
      expected = Replaced(expected, "my dir/start.a51", "MY DIR/START.A51");
      expected = Replaced(expected, "Debug/main.obj", "DEBUG/MAIN.OBJ");
    }
    EXPECT_EQ(ReadBack(file), expected);
    std::fclose(file);
  }
}

}  // namespace
}  // namespace c51::host
