// The uVision 4 and 2 values the host takes after the plug-in's import: read per
// target, the crystal from the CPU text, and the values refused because
// they leave the project folder or are no model.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/import_extras.h"
#include "host/uvproj_options.h"

namespace c51::host {
namespace {

TEST(UvprojOptionsTest, ReadsEachUv2TargetsBlock) {
  const std::string uv2 =
      "### uVision2 Project\r\n"
      "Target (Debug), 0x0000 // Tools: 'MCS-51'\r\n"
      "Target (Release), 0x0000 // Tools: 'MCS-51'\r\n"
      "Group (Src)\r\n"
      "File 1,1,<.\\main.c><main.c>\r\n"
      // The second target's block first; a group's and a file's blocks are
      // neither target's.
      "Options 2,0,0  // Target 'Release'\r\n"
      " MODEL5=0\r\n"
      " OutDir (.\\Rel\\)\r\n"
      "EndOpt\r\n"
      "Options 1,1,0  // Group 'Src'\r\n"
      " MODEL5=1\r\n"
      " INCC5 (group)\r\n"
      "EndOpt\r\n"
      "Options 1,0,0  // Target 'Debug'\r\n"
      " Cpu (IRAM(0-0xFF) CLOCK(11059200))\r\n"
      " MODEL5=2\r\n"
      " MODEL5X=1\r\n"
      " ROMSZ5=1\r\n"
      " C51DEF (A=1,B)\r\n"
      " INCC5 (.\\inc;..\\lib)\r\n"
      " INCA5 ()\r\n"
      "EndOpt\r\n"
      "Options 1,1,1  // File 'main.c'\r\n"
      " C51DEF (file)\r\n"
      "EndOpt\r\n"
      "Options 9,0,0  // no such target\r\n"
      " MODEL5=1\r\n"
      "EndOpt\r\n";
  std::vector<UvprojTargetOptions> targets;
  ParseUv2Options(uv2, &targets);
  ASSERT_EQ(targets.size(), 2u);
  const UvprojTargetOptions& debug = targets[0];
  EXPECT_EQ(debug.name, "Debug");
  EXPECT_EQ(debug.cpu, "IRAM(0-0xFF) CLOCK(11059200)");
  EXPECT_EQ(debug.memory_model, "2");
  EXPECT_EQ(debug.code_model, "1");
  EXPECT_EQ(debug.c_defines, "A=1,B");
  EXPECT_EQ(debug.c_include, ".\\inc;..\\lib");
  EXPECT_EQ(debug.a_include, "");
  EXPECT_FALSE(debug.output_folder);
  const UvprojTargetOptions& release = targets[1];
  EXPECT_EQ(release.name, "Release");
  EXPECT_EQ(release.memory_model, "0");
  EXPECT_EQ(release.output_folder, ".\\Rel\\");
  EXPECT_FALSE(release.c_include);
}

TEST(UvprojOptionsTest, ReadsEachTargetsValues) {
  const std::string xml =
      "<?xml version=\"1.0\"?>\n<Project><Targets>"
      "<Target><TargetName>Debug</TargetName><TargetOption><TargetCommonOption>"
      "<Device>AT89C52</Device><Cpu>IRAM(0-0xFF) CLOCK(11059200)</Cpu>"
      "<OutputDirectory>.\\Obj\\</OutputDirectory><OutputName>fw</OutputName>"
      "<CreateExecutable>1</CreateExecutable><ListingPath></ListingPath>"
      "</TargetCommonOption><Target51><Target51Misc><MemoryModel>1</MemoryModel>"
      "<RomSize>0</RomSize></Target51Misc></Target51></TargetOption></Target>"
      // Elements at other places are not the target's.
      "<Target><TargetName>Bare</TargetName><OutputName>no</OutputName><TargetOption>"
      "<Target51><MemoryModel>2</MemoryModel></Target51></TargetOption></Target>"
      "</Targets></Project>";
  std::vector<UvprojTargetOptions> targets;
  std::string err;
  ASSERT_TRUE(ParseUvprojOptions(xml, &targets, &err)) << err;
  ASSERT_EQ(targets.size(), 2u);
  const UvprojTargetOptions& debug = targets[0];
  EXPECT_EQ(debug.name, "Debug");
  EXPECT_EQ(debug.cpu, "IRAM(0-0xFF) CLOCK(11059200)");
  EXPECT_EQ(debug.output_folder, ".\\Obj\\");
  EXPECT_EQ(debug.output_name, "fw");
  EXPECT_EQ(debug.listing_folder, "");
  EXPECT_EQ(debug.memory_model, "1");
  EXPECT_EQ(debug.code_model, "0");
  const UvprojTargetOptions& bare = targets[1];
  EXPECT_EQ(bare.name, "Bare");
  EXPECT_FALSE(bare.output_name || bare.output_folder || bare.listing_folder || bare.cpu ||
               bare.memory_model || bare.code_model);
  EXPECT_FALSE(ParseUvprojOptions("<Project><Targets>", &targets, &err));
}

TEST(UvprojOptionsTest, TakesTheCrystalFromTheClockInHertz) {
  struct Case {
    const char* cpu;
    const char* crystal;
  } cases[] = {
      {"IRAM(0-0xFF) CLOCK(24000000)", "24"},
      {"CLOCK(11059200) IROM(0-0x1FFF)", "11.0592"},
      {"CLOCK(0xB71B00)", "12"},
      {"CLOCK(32768)", "0.032768"},
      {"CLOCK(1)", "0.000001"},
      {"IRAM(0-0xFF)", ""},
      {"CLOCK()", ""},
      {"CLOCK(12MHz)", ""},
      {"CLOCK(-1)", ""},
      {"CLOCK(99999999999999999999999)", ""},
      {"CLOCK(24000000", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cpu);
    EXPECT_EQ(CrystalText(c.cpu), c.crystal);
  }
}

TEST(UvprojOptionsTest, RefusesWhatLeavesTheProjectFolderOrIsNoModel) {
  struct Case {
    const char* what;
    UvprojTargetOptions target;
    const char* taken;    // "what shown" of the values taken, "|" between
    const char* refused;  // the first refusal's start; "" for none
  } cases[] = {
      {"all inside",
       {"T", ".\\Obj\\", "fw", "", "2", "1", "CLOCK(12000000)"},
       "crystal 12 MHz|memory model large|code model compact|output folder .\\Obj\\|"
       "listing folder .\\|output name fw",
       ""},
      {"climbing folder",
       {"T", "..\\out\\", {}, {}, {}, {}, {}},
       "",
       "output folder \"..\\out\\\""},
      {"absolute folder",
       {"T", {}, {}, "C:\\lst\\", {}, {}, {}},
       "",
       "listing folder \"C:\\lst\\\""},
      {"rooted folder", {"T", "/tmp/x", {}, {}, {}, {}, {}}, "", "output folder \"/tmp/x\""},
      {"climbing name", {"T", {}, "..\\..\\fw", {}, {}, {}, {}}, "", "output name \"..\\..\\fw\""},
      {"name inside a folder", {"T", {}, "sub\\fw", {}, {}, {}, {}}, "output name sub\\fw", ""},
      {"no model", {"T", {}, {}, {}, "3", "x", {}}, "", "memory model \"3\" is no model"},
      {"empty name", {"T", {}, "", {}, {}, {}, "CLOCK(x)"}, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> refused;
    std::string taken;
    for (const ExtraValue& value : ExtraValues(c.target, "/p/", &refused))
      taken += (taken.empty() ? "" : "|") + value.what + " " + value.shown;
    EXPECT_EQ(taken, c.taken);
    if (*c.refused == '\0') {
      EXPECT_TRUE(refused.empty()) << refused.front();
    } else {
      ASSERT_FALSE(refused.empty());
      EXPECT_EQ(refused.front().rfind(c.refused, 0), 0u) << refused.front();
    }
  }
}

}  // namespace
}  // namespace c51::host
