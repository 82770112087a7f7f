// Variables placed with _at_ in DATA and XDATA beside relocatable ones, and
// frames laid in the free cells a large buffer leaves, built by corvane-c51
// with the sdcc toolchain and run in ucsim's 8051 simulator: nothing the
// linker places may share their bytes. Skipped
// without sdcc, the simulator or the toolchain's compiler.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "s51_ports.h"
#include "sdcc/run_program.h"
#include "sdcc_host_test.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

class AbsoluteSdccTest : public SdccHostTest {
 protected:
  AbsoluteSdccTest() : SdccHostTest("c51absolute") {}

  // A new project "abs" in a folder of its own, of the named files from the
  // test data; the build's output.
  ProgramRun Build(const std::string& folder, const std::vector<std::string>& files) {
    const std::string project = folder + "abs.cvproj";
    ProgramRun run = Host({"new", project, "--force", "--config", "Debug"});
    EXPECT_EQ(run.exit_code, 0) << run.output;
    std::vector<std::string> add = {"add", "-p", project};
    for (const std::string& file : files) {
      std::error_code ec;
      std::filesystem::copy_file(C51_ABSOLUTE_DATA_DIR + file, folder + file,
                                 std::filesystem::copy_options::overwrite_existing, ec);
      EXPECT_FALSE(ec) << ec.message();
      if (file.back() == 'c') add.push_back(folder + file);
    }
    run = Host(add);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    return Host({"--toolchain", toolchain_, "build", "--rebuild", "-p", project});
  }
};

TEST_F(AbsoluteSdccTest, RelocatableVariablesGoAroundPlacedOnes) {
  const struct {
    const char* name;
    std::vector<std::string> files;
  } kCases[] = {
      {"data", {"data_at.c"}},
      {"xdata", {"xdata_at.c"}},
      {"a device register and a placed array of structures",
       {"device.h", "device_main.c", "device_lcd.c"}},
      // Not placed by the user, but laid around what is: the frames.
      {"frames in the cells a large buffer leaves", {"frames_split.c"}},
  };
  for (size_t i = 0; i < std::size(kCases); ++i) {
    SCOPED_TRACE(kCases[i].name);
    const std::string folder = dir_.path() + std::to_string(i) + "/";
    ASSERT_TRUE(CreateDirectories(folder));
    const ProgramRun build = Build(folder, kCases[i].files);
    ASSERT_EQ(build.exit_code, 0) << build.output;
    EXPECT_NE(build.output.find("\"abs\" - 0 error(s), 0 warning(s)."), std::string::npos)
        << build.output;
    std::string output;
    const std::vector<int> samples =
        SampleP1(s51_, folder + "Debug/abs.hex", folder, 4, 5000, &output);
    ASSERT_EQ(samples.size(), 4u) << output;
    EXPECT_EQ(samples.back(), 0x5A) << testing::PrintToString(samples);
  }
}

}  // namespace
}  // namespace c51::sdcc
