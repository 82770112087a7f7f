// The C library as our users' programs call it, built by corvane-c51 with
// the sdcc toolchain and run in ucsim's 8051 simulator: math functions by
// their plain names and long long arithmetic must compute, and a function
// sdcc's library lacks must be named as such. Skipped without sdcc, the
// simulator or the toolchain's compiler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs.h"
#include "s51_ports.h"
#include "sdcc/run_program.h"
#include "sdcc_host_test.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

class LibrarySdccTest : public SdccHostTest {
 protected:
  LibrarySdccTest() : SdccHostTest("c51library") {}

  // A new project "lib" of one file `source`; the build's output.
  ProgramRun Build(const std::string& source) {
    const std::string project = dir_.path() + "lib.cvproj";
    std::string err;
    EXPECT_TRUE(WriteWholeFile(dir_.path() + "main.c", source, &err)) << err;
    ProgramRun run = Host({"new", project, "--force", "--config", "Debug"});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    run = Host({"add", "-p", project, dir_.path() + "main.c"});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return Host({"--toolchain", toolchain_, "build", "--rebuild", "-p", project});
  }
};

TEST_F(LibrarySdccTest, ProgramsComputeWithSdccsLibrary) {
  const struct {
    const char* name;
    const char* source;
    int p1;
  } kPrograms[] = {
      // sin(0.5) * 100 + sqrt(0.5) * 10 = 47.9 + 7.1
      {"math by the plain names",
       "#include <REG51.H>\n"
       "float sin(float x);\nfloat sqrt(float x);\n"
       "volatile float x = 0.5;\n"
       "void main(void) { P1 = (unsigned char)(sin(x) * 100 + sqrt(x) * 10); while (1) {} }\n",
       55},
      // Through MATH.H, two-argument functions included: pow(2, 5) + atan2(1, 1) * 40
      // + fabs(-3) = 32 + 31.4 + 3.
      {"math through MATH.H",
       "#include <REG51.H>\n#include <math.h>\n"
       "volatile float x = 2, y = 5, one = 1;\n"
       "void main(void) {\n"
       "  P1 = (unsigned char)(pow(x, y) + atan2(one, one) * 40 + fabs(-3.0));\n"
       "  while (1) {}\n}\n",
       66},
      // 3e11 / 1e9 = 300, of which the low byte shows.
      {"long long",
       "#include <REG51.H>\n"
       "volatile long long a = 300000000000, b = 1000000000;\n"
       "void main(void) { P1 = (unsigned char)(a / b); while (1) {} }\n",
       300 & 0xFF},
  };
  for (const auto& program : kPrograms) {
    SCOPED_TRACE(program.name);
    const ProgramRun build = Build(program.source);
    ASSERT_EQ(build.exit_code, 0) << build.output;
    EXPECT_NE(build.output.find("\"lib\" - 0 error(s), 0 warning(s)."), std::string::npos)
        << build.output;
    std::string output;
    const std::vector<int> p1 =
        SampleP1(s51_, dir_.path() + "Debug/lib.hex", dir_.path(), 1, 100000, &output);
    ASSERT_EQ(p1.size(), 1u) << output;
    EXPECT_EQ(p1[0], program.p1);
  }
}

TEST_F(LibrarySdccTest, AFunctionSdccsLibraryLacksIsNamed) {
  const ProgramRun build = Build(
      "int sscanf(const char* s, const char* format, ...);\n"
      "char text[4] = \"12\";\nint n;\n"
      "void main(void) { sscanf(text, \"%d\", &n); }\n");
  // As with any unresolved external: a warning, the program is made.
  EXPECT_EQ(build.exit_code, 0) << build.output;
  for (const char* part : {"*** WARNING L1: UNRESOLVED EXTERNAL SYMBOL", "SYMBOL:  sscanf",
                           "REASON:  SDCC'S LIBRARY HAS NO sscanf", "1 warning(s)."}) {
    EXPECT_NE(build.output.find(part), std::string::npos) << part << "\n" << build.output;
  }
}

// A function defined nowhere is one warning, whatever sdcc names its
// memory-passed parameters after it.
TEST_F(LibrarySdccTest, AMissingFunctionIsOneUnresolvedSymbol) {
  const ProgramRun build = Build(
      "void show(unsigned char a, unsigned char b, unsigned char c);\n"
      "void main(void) { show(1, 2, 3); while (1) {} }\n");
  EXPECT_EQ(build.exit_code, 0) << build.output;
  EXPECT_NE(build.output.find("SYMBOL:  show\n"), std::string::npos) << build.output;
  EXPECT_EQ(build.output.find("PARM"), std::string::npos) << build.output;
  EXPECT_NE(build.output.find("1 warning(s)."), std::string::npos) << build.output;
}

}  // namespace
}  // namespace c51::sdcc
