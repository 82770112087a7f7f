#include "sim/linker.h"

#include <gtest/gtest.h>

#include "sim/dependency_record.h"
#include "tools/fake_files.h"

namespace c51::sim {
namespace {

// An object file: a dependency record, then one module.
std::string Object(const std::string& name, size_t code_size, uint32_t data,
                   std::vector<LinkMarker> markers = {}) {
  ObjectModule module;
  module.name = name;
  module.tool = "C51";
  module.model = "SMALL";
  for (size_t i = 0; i < code_size; ++i) module.code.push_back(static_cast<uint8_t>(i));
  module.data = data;
  module.link_markers = std::move(markers);
  return BuildDependencyRecord("C51", {{kSourceEntry, 0, name + ".c"}}, nullptr) +
         FormatModule(module);
}

class LinkerTest : public testing::Test {
 protected:
  LinkOutcome LinkText(const std::string& text) {
    LinkCommand command;
    std::string err;
    EXPECT_TRUE(ParseLinkCommand(text, &command, &err)) << err;
    return Link(command, &files_);
  }
  std::string Lines(const LinkOutcome& outcome) {
    std::string out;
    for (const std::string& line : outcome.lines) out += line + "\n";
    return out;
  }
  FakeFileSource files_;
};

TEST_F(LinkerTest, PlacesCommonCodeAndBanks) {
  files_.Add("a.obj", Object("A", 0x10, 3));
  files_.Add("b.obj", Object("B", 0x20, 0));
  files_.Add("c.obj", Object("C", 0x05, 1));
  files_.Add("l.lib", std::string(kLibraryHeader) + "SIMOBJ 1\nMODULE L\nCODE 0102\nEND\n");
  const LinkOutcome outcome = LinkText(
      "\"a.obj\",\nBANK2 {\"b.obj\"},\nBANK2 {\"c.obj\"},\n\"l.lib\" \nTO \"prog\"\n"
      "BankArea(0x8000,0xFFFF)\nCODE( 0x0100-0x7FFF,?PR?X )\nRAMSIZE(128)\n");
  EXPECT_EQ("", Lines(outcome));
  EXPECT_EQ(0, outcome.errors);
  struct Expected {
    int bank;
    uint32_t address;
    size_t size;
    const char* module;
  };
  const Expected expected[] = {
      {kCommonArea, 0x0100, 0x10, "A"},
      {2, 0x8000, 0x20, "B"},
      {2, 0x8020, 0x05, "C"},
      {kCommonArea, 0x0110, 2, "L"},
  };
  ASSERT_EQ(std::size(expected), outcome.program.segments.size());
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const ProgramSegment& s = outcome.program.segments[i];
    EXPECT_EQ(expected[i].bank, s.bank);
    EXPECT_EQ(expected[i].address, s.address);
    EXPECT_EQ(expected[i].size, s.bytes.size());
    EXPECT_EQ(expected[i].module, s.module);
  }
  EXPECT_EQ("Program Size: data=12.0 xdata=0 code=55", FormatProgramSize(outcome));
  EXPECT_EQ("prog.M51", outcome.map_path);
  EXPECT_NE(std::string::npos, outcome.map.find("BANK2   8020H     0005H     C"));

  // The program file reads back as it was written.
  Program back;
  std::string err;
  ASSERT_TRUE(ParseProgram(FormatProgram(outcome.program), &back, &err)) << err;
  ASSERT_EQ(outcome.program.segments.size(), back.segments.size());
  for (size_t i = 0; i < back.segments.size(); ++i) {
    EXPECT_EQ(outcome.program.segments[i].bytes, back.segments[i].bytes);
    EXPECT_EQ(outcome.program.segments[i].address, back.segments[i].address);
    EXPECT_EQ(outcome.program.segments[i].bank, back.segments[i].bank);
  }
}

TEST_F(LinkerTest, ReportsMarkersAndOverflowsWithTheirModule) {
  files_.Add("m.obj",
             Object("M", 4, 0,
                    {{Severity::kWarning, "L16", "UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS"},
                     {Severity::kError, "L104", "MULTIPLE PUBLIC DEFINITIONS"},
                     {Severity::kWarning, "L15", "MULTIPLE CALL TO SEGMENT"}}));
  files_.Add("big.obj", Object("BIG", 0x300, 250));
  const LinkOutcome outcome =
      LinkText("m.obj, big.obj TO p DISABLEWARNING (15) CODE(0-0x2FF) NOPRINT");
  EXPECT_EQ(
      "*** WARNING L16: UNCALLED SEGMENT, IGNORED FOR OVERLAY PROCESS\n"
      "    MODULE:  m.obj (M)\n"
      "*** ERROR L104: MULTIPLE PUBLIC DEFINITIONS\n"
      "    MODULE:  m.obj (M)\n"
      "*** ERROR L107: ADDRESS SPACE OVERFLOW\n"
      "    SPACE:   CODE\n"
      "    MODULE:  big.obj (BIG)\n"
      "*** ERROR L107: ADDRESS SPACE OVERFLOW\n"
      "    SPACE:   DATA\n",
      Lines(outcome));
  EXPECT_EQ(3, outcome.errors);
  EXPECT_EQ(1, outcome.warnings);
  EXPECT_FALSE(outcome.fatal);
  EXPECT_TRUE(outcome.map_path.empty());
}

TEST_F(LinkerTest, InputAndControlFailures) {
  files_.Add("ok.obj", Object("OK", 1, 0));
  files_.Add("bad.obj", "SIMOBJ 1\nCODE 0\nEND\n");
  struct Case {
    const char* command;
    const char* first_line;
    bool fatal;
  };
  const Case cases[] = {
      {"ok.obj, gone.obj TO p", "*** FATAL ERROR L210: I/O ERROR ON INPUT FILE:", true},
      {"bad.obj TO p", "*** FATAL ERROR L211: INVALID OBJECT FILE", true},
      {"BANK1 {ok.obj} TO p", "*** ERROR L130: BANKED MODULES BUT NO BANKAREA", false},
      {"ok.obj TO p RAMSIZE(512)", "*** ERROR L200: INVALID CONTROL ARGUMENT", false},
      {"ok.obj TO p BANKAREA(0xFFFF,0x8000)", "*** ERROR L200: INVALID CONTROL ARGUMENT", false},
      {"ok.obj TO p DISABLEWARNING(x)", "*** ERROR L200: INVALID CONTROL ARGUMENT", false},
      {"ok.obj TO p RTX51TINY(1)", "*** ERROR L200: INVALID CONTROL", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const LinkOutcome outcome = LinkText(c.command);
    ASSERT_FALSE(outcome.lines.empty());
    EXPECT_EQ(c.first_line, outcome.lines[0]);
    EXPECT_EQ(c.fatal, outcome.fatal);
    EXPECT_GE(outcome.errors, 1);
  }
}

TEST(LinkerFormatTest, ProgramFileRejectsDamage) {
  const char* bad[] = {
      "",
      "SIMABS 2\nEND\n",
      "SIMABS 1\nSEGMENT -1 0000 0A0 M\nEND\n",  // odd hex
      "SIMABS 1\nSEGMENT 64 0000 0A M\nEND\n",   // bank out of range
      "SIMABS 1\nSEGMENT -1 10000 0A M\nEND\n",  // address past 64 KB
      "SIMABS 1\nSEGMENT -1 0000 0A M\n",        // no END
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    Program program;
    std::string err;
    EXPECT_FALSE(ParseProgram(text, &program, &err));
    EXPECT_FALSE(err.empty());
  }
}

}  // namespace
}  // namespace c51::sim
