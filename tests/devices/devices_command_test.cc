// The host's use of the device database, run as a process: the "devices"
// listing, "new --device NAME", and a headless Device page choosing
// through the environment.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/device_table.h"
#include "devices/selection_library.h"
#include "host/devices_command.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "run_host.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

using test::HostRun;
using test::LineCount;

class DevicesCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  HostRun Run(const std::vector<std::string>& args) { return test::RunHost(args, dir_.path()); }
  std::string Path(const std::string& name) const { return dir_.path() + name; }
  std::string Read(const std::string& name) const {
    std::string text, err;
    ReadWholeFile(Path(name), &text, &err);
    return text;
  }
  static void ExpectError(const HostRun& run, const std::string& part) {
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_EQ(LineCount(run.err), 1) << run.err;
    EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
  }

  test::ScopedTempDir dir_;
};

TEST(DeviceLineTest, ShowsSizesClockAndHeaderInColumns) {
  struct Case {
    const char* cpu;
    const char* line;
  } cases[] = {
      {"IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(24000000)",
       "Atmel  X52    256     -    8K  24 MHz       H.H"},
      {"IRAM(0-0x7F) XRAM(0-0x6FF) IROM(0-0xF3FF) CLOCK(11059200)",
       "Atmel  X52    128  1792   61K  11.0592 MHz  H.H"},
      {"IRAM(0-0xFF) XRAM(0-0x1FFF)", "Atmel  X52    256    8K     -  -            H.H"},
      {"", "Atmel  X52      -     -     -  -            H.H"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cpu);
    EXPECT_EQ(DeviceLine("Atmel", "X52", c.cpu, "H.H", 5, 4), c.line);
  }
}

TEST_F(DevicesCommandTest, ListsTheDatabaseOrThePatternsPart) {
  HostRun all = Run({"devices"});
  EXPECT_EQ(all.status, 0) << all.err;
  // A heading, one line per device, the count.
  EXPECT_EQ(LineCount(all.out), static_cast<int>(devices::DeviceRows().size()) + 2);
  for (const devices::DeviceRow& row : devices::DeviceRows())
    EXPECT_NE(all.out.find(std::string(" ") + row.name + " "), std::string::npos) << row.name;

  HostRun some = Run({"devices", "ch55?"});
  EXPECT_EQ(some.status, 0) << some.err;
  std::erase(some.out, '\r');  // Windows ends the lines with "\r\n"
  EXPECT_EQ(some.out,
            "Vendor  Name   IRAM  XRAM  IROM  Clock        Header\n"
            "WCH     CH552   256    1K   14K  24 MHz       CH552.H\n"
            "WCH     CH554   256    1K   14K  24 MHz       CH554.H\n"
            "WCH     CH559   256    6K   60K  56 MHz       CH559.H\n"
            "3 devices\n");

  ExpectError(Run({"devices", "CH553X"}), "no device matches \"CH553X\"; did you mean CH552");
  EXPECT_EQ(Run({"devices", "a", "b"}).status, 2);
}

TEST_F(DevicesCommandTest, NewTakesANamedDeviceFromTheDatabase) {
  HostRun run = Run({"new", Path("a.cvproj"), "--device", "stc89c52rc"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string project = Read("a.cvproj");
  EXPECT_NE(project.find("Vendor=\"STC\" Name=\"STC89C52RC\""), std::string::npos) << project;
  EXPECT_NE(project.find("CPU=IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(40000000)"),
            std::string::npos)
      << project;
  EXPECT_NE(project.find("REGFILE=STC89C5xRC.H"), std::string::npos) << project;

  // A name the database lacks is refused with the near ones, and no
  // project is written.
  ExpectError(Run({"new", Path("b.cvproj"), "--device", "AT89S25"}),
              "no device \"AT89S25\" in the device database; did you mean AT89S52");
  EXPECT_FALSE(PathExists(Path("b.cvproj")));

  // With a vendor or a CPU text the device is the user's own.
  run = Run({"new", Path("c.cvproj"), "--device", "X9", "--vendor", "Acme"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Read("c.cvproj").find("Vendor=\"Acme\" Name=\"X9\""), std::string::npos);
  run = Run({"new", Path("d.cvproj"), "--device", "AT89S25", "--cpu", "IRAM(0-0xFF)"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(Read("d.cvproj").find("CPU=IRAM(0-0xFF)\""), std::string::npos);
}

TEST_F(DevicesCommandTest, TheDevicePageTakesTheChoiceFromTheEnvironment) {
  ASSERT_EQ(Run({"new", Path("a.cvproj"), "--device", "AT89S52"}).status, 0);
  std::string saved;
  const bool had = GetEnv(devices::kSelectionEnvironmentVariable, &saved);

  SetEnv(devices::kSelectionEnvironmentVariable, "n76e003");
  HostRun run = Run({"settings", "-p", Path("a.cvproj"), "page Device", "page Target", "ok"});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  // The Target page shows the new device and its clock, and OK keeps it.
  EXPECT_NE(run.out.find("\"Nuvoton N76E003\""), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("1563 edit \"Xtal(MHz):\" \"16.000000\""), std::string::npos) << run.out;
  std::string project = Read("a.cvproj");
  EXPECT_NE(project.find("Vendor=\"Nuvoton\" Name=\"N76E003\""), std::string::npos) << project;
  EXPECT_NE(project.find("REGFILE=N76E003.H"), std::string::npos) << project;

  // An unknown name is reported, and the device stays.
  SetEnv(devices::kSelectionEnvironmentVariable, "N76E009");
  run = Run({"settings", "-p", Path("a.cvproj"), "page Device", "page Target", "ok"});
  EXPECT_NE(run.err.find("no device \"N76E009\""), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("\"Nuvoton N76E003\""), std::string::npos) << run.out;

  if (had) {
    SetEnv(devices::kSelectionEnvironmentVariable, saved);
  } else {
    UnsetEnv(devices::kSelectionEnvironmentVariable);
  }
}

}  // namespace
}  // namespace c51::host
