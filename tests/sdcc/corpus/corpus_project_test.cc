// The corpus test's own readers: a wrong interrupt scan or hex reader would
// let a missing vector pass unseen.
#include <gtest/gtest.h>

#include "corpus_project.h"
#include "platform/codepage.h"
#include "platform/fs.h"
#include "support/temp_dir.h"

namespace c51::sdcc::corpus {
namespace {

TEST(InterruptRoutinesTest, FindsDeclaredRoutinesOnly) {
  struct Case {
    const char* text;
    std::map<int, std::string> routines;
  };
  const Case cases[] = {
      {"void t0(void) interrupt 1 using 1 {}", {{1, "t0"}}},
      {"void t0(void) interrupt 1;\nvoid u (void)interrupt\t4 {}", {{1, "t0"}, {4, "u"}}},
      {"void a(void) interrupt (2) {}\nvoid b(void) interrupt 0x0C {}", {{2, "a"}, {12, "b"}}},
      {"void a(void)\r\n    interrupt 3\r\n{}", {{3, "a"}}},
      {"void isr(void) interrupt 1;\nvoid isr(void) interrupt 1 using 2 {}", {{1, "isr"}}},
      {"/* void c(void) interrupt 1 */ // void d(void) interrupt 2\nint x;", {}},
      {"const char *s = \"f() interrupt 5\"; char c = '\\'';", {}},
      {"unsigned char interrupt_count; void no_interrupt2(void);", {}},
      {"void f(void) __interrupt(1) {}", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(InterruptRoutines(c.text), c.routines) << c.text;
}

TEST(ReadHexImageTest, ReadsDataRecordsAndRefusesDamage) {
  std::map<uint32_t, uint8_t> image;
  std::string err;
  ASSERT_TRUE(ReadHexImage(":03000000020030CB\r\n:01000B0032C2\n:00000001FF\n", &image, &err))
      << err;
  EXPECT_EQ(image, (std::map<uint32_t, uint8_t>{{0, 0x02}, {1, 0x00}, {2, 0x30}, {0x0B, 0x32}}));

  const char* damaged[] = {
      ":03000000020030CC\n:00000001FF\n",  // checksum
      ":0300000002003\n:00000001FF\n",     // cut record
      ":03000000020030CB\n",               // no end record
      "03000000020030CB\n:00000001FF\n",   // no colon
  };
  for (const char* text : damaged) EXPECT_FALSE(ReadHexImage(text, &image, &err)) << text;
}

TEST(CodeSymbolsTest, ReadsCodeLinesOfTheMap) {
  const char map[] =
      "LINK MAP OF MODULE:  .\\obj\\p\n\n"
      "  VALUE     SPACE    SYMBOL                            MODULE\n"
      "  0003H     CODE     _sdcc_program_startup             main\n"
      "  0010H     DATA     adc_value                         adc\n"
      "  02CCH     CODE     adc_isr                           adc_isr\n";
  EXPECT_EQ(CodeSymbols(map),
            (std::map<std::string, uint32_t>{{"_sdcc_program_startup", 0x03}, {"adc_isr", 0x2CC}}));
}

TEST(HexFileOfBuildTest, TakesThePathTheBuildNamed) {
  EXPECT_EQ(HexFileOfBuild("linking...\ncreating hex file from \"/tmp/p/Target 1/p\"...\n"),
            "/tmp/p/Target 1/p.hex");
  EXPECT_EQ(HexFileOfBuild("Target not created\n"), "");
}

TEST(ProjectFileTest, WantsExactlyOneProjectFile) {
  test::ScopedTempDir dir("c51corpusfile");
  std::string err;
  const std::string folder = LocalToSystemText(dir.path());
  EXPECT_EQ(ProjectFile(folder), "");
  ASSERT_TRUE(WriteWholeFile(dir.path() + "Clock.UV2", "", &err)) << err;
  ASSERT_TRUE(WriteWholeFile(dir.path() + "Clock.Opt", "", &err)) << err;
  EXPECT_EQ(ProjectFile(folder), folder + "Clock.UV2");
  ASSERT_TRUE(WriteWholeFile(dir.path() + "other.uvproj", "", &err)) << err;
  EXPECT_EQ(ProjectFile(folder), "");
}

}  // namespace
}  // namespace c51::sdcc::corpus
