// The device texts the host reads from uVision projects. The documents
// are written for these tests in the formats the importer reads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/project_model.h"
#include "host/uvision_device.h"

namespace c51::host {
namespace {

const char kUvproj[] = R"(<?xml version="1.0" encoding="UTF-8" standalone="no" ?>
<Project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
  <SchemaVersion>1.1</SchemaVersion>
  <Header>### uVision Project, (C) Keil Software</Header>
  <Targets>
    <Target>
      <TargetName>Debug</TargetName>
      <ToolsetNumber>0x0</ToolsetNumber>
      <TargetOption>
        <TargetCommonOption>
          <Device>AT89C52</Device>
          <Vendor>Atmel</Vendor>
          <Cpu>IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(24000000)</Cpu>
        </TargetCommonOption>
        <Target51><Device>not this one</Device></Target51>
      </TargetOption>
    </Target>
    <Target>
      <TargetName>Release &amp; test</TargetName>
      <TargetOption>
        <TargetCommonOption>
          <Device>P89V51RD2</Device>
          <Vendor>NXP</Vendor>
          <Cpu><![CDATA[IRAM(0-0xFF) XRAM(0-0x3FF) CLOCK(11059200)]]></Cpu>
        </TargetCommonOption>
      </TargetOption>
    </Target>
  </Targets>
</Project>
)";

const char kUv2[] =
    "### uVision2 Project, (C) Keil Software\r\n"
    "\r\n"
    "Target (Debug), 0x0000 // Tools: 'MCS-51'\r\n"
    "Target (Small (fast)), 0x0000 // Tools: 'MCS-51'\r\n"
    "\r\n"
    "Group (Source Group 1)\r\n"
    "File 1,1,<.\\main.c><main.c>\r\n"
    "\r\n"
    "Options 1,0,0  // Target 'Debug'\r\n"
    " Device (AT89C51)\r\n"
    " Vendor (Atmel)\r\n"
    " Cpu (IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(12000000))\r\n"
    " FlashUt ()\r\n"
    "EndOpt\r\n"
    "\r\n"
    "Options 2,0,0  // Target 'Small (fast)'\r\n"
    " Device (AT89C2051)\r\n"
    " Vendor (Atmel)\r\n"
    " Cpu ()\r\n"
    " OutDir (.\\out\\)\r\n"
    "EndOpt\r\n";

TEST(UvisionDeviceTest, UvprojTargetsAndTheirDevices) {
  std::vector<UvisionTarget> targets;
  std::string err;
  ASSERT_TRUE(ParseUvprojTargets(kUvproj, &targets, &err)) << err;
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_EQ(targets[0].name, "Debug");
  EXPECT_EQ(targets[0].device.name, "AT89C52");
  EXPECT_EQ(targets[0].device.vendor, "Atmel");
  EXPECT_EQ(targets[0].device.properties,
            std::vector<std::string>{"CPU=IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(24000000)"});
  EXPECT_EQ(targets[1].name, "Release & test");
  EXPECT_EQ(targets[1].device.name, "P89V51RD2");
  EXPECT_EQ(targets[1].device.properties,
            std::vector<std::string>{"CPU=IRAM(0-0xFF) XRAM(0-0x3FF) CLOCK(11059200)"});
  EXPECT_FALSE(ParseUvprojTargets("<Project><Targets>", &targets, &err));
}

TEST(UvisionDeviceTest, Uv2TargetsTakeTheirOptionsBlocks) {
  std::vector<UvisionTarget> targets;
  ParseUv2Targets(kUv2, &targets);
  ASSERT_EQ(targets.size(), 2u);
  EXPECT_EQ(targets[0].name, "Debug");
  EXPECT_EQ(targets[0].device.name, "AT89C51");
  EXPECT_EQ(targets[0].device.vendor, "Atmel");
  // The CPU text's own parentheses stay: the text ends at the last ")".
  EXPECT_EQ(targets[0].device.properties,
            std::vector<std::string>{"CPU=IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(12000000)"});
  EXPECT_EQ(targets[1].name, "Small (fast)");
  EXPECT_EQ(targets[1].device.name, "AT89C2051");
  EXPECT_TRUE(targets[1].device.properties.empty());
}

TEST(UvisionDeviceTest, PickTargetFallsBackToTheFirst) {
  std::vector<UvisionTarget> targets;
  ParseUv2Targets(kUv2, &targets);
  EXPECT_EQ(PickTarget(targets, "Small (fast)")->device.name, "AT89C2051");
  EXPECT_EQ(PickTarget(targets, "nothing")->device.name, "AT89C51");
  EXPECT_EQ(PickTarget({}, "x"), nullptr);
}

TEST(UvisionDeviceTest, ClockFromTheCpuText) {
  struct Case {
    std::vector<std::string> properties;
    double mhz;
  } cases[] = {
      {{"CPU=IRAM(0-0xFF) CLOCK(24000000)"}, 24.0},
      {{"REGFILE=(<X>)", "cpu=CLOCK(0xB71B00)"}, 12.0},
      {{"CPU=CLOCK(11059200) IRAM(0-0xFF)"}, 11.0592},
      {{"CPU=IRAM(0-0xFF)"}, 0.0},
      {{"CPU=CLOCK"}, 0.0},
      {{}, 0.0},
  };
  for (const Case& c : cases) {
    DeviceInfo device;
    device.properties = c.properties;
    EXPECT_DOUBLE_EQ(DeviceClockMhz(device), c.mhz);
  }
}

}  // namespace
}  // namespace c51::host
