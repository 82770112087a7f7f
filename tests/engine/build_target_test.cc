// Whole builds through GetInterface with the simulated toolchain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "project/node.h"
#include "support/messages.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A small program: two C files sharing a header, one assembly file.
class BuildTargetTest : public EngineTest {
 protected:
  void WriteProgram() {
    Write("defs.h", "#define LIMIT 3\n");
    Write("main.c", "#include \"defs.h\"\n#include <REG51.H>\nvoid main(void) { }\n");
    Write("util.c", "#include \"defs.h\"\nint twice(int x) { return x + x; }\n");
    Write("other.c", "int other;\n");
    Write("start.a51", "        CSEG AT 0\n        LJMP 0\n        END\n");
    main_ = AddFile(Files(), "main.c");
    util_ = AddFile(Files(), "util.c");
    other_ = AddFile(Files(), "other.c");
    start_ = AddFile(Files(), "start.a51");
  }

  std::string CommandFile() { return Read("Debug/proj.lnp"); }

  ProjectNode* main_ = nullptr;
  ProjectNode* util_ = nullptr;
  ProjectNode* other_ = nullptr;
  ProjectNode* start_ = nullptr;
};

TEST_F(BuildTargetTest, AFullBuildTranslatesLinksAndConvertsInOrder) {
  WriteProgram();
  Open();
  ASSERT_EQ(Build(), 1);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 9u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[0], "build target 'proj-Debug'");
  EXPECT_EQ(lines[1], "compiling main.c...");
  EXPECT_EQ(lines[2], "compiling util.c...");
  EXPECT_EQ(lines[3], "compiling other.c...");
  EXPECT_EQ(lines[4].substr(0, 11), "assembling ");
  EXPECT_TRUE(EndsWith(lines[4], "start.a51...")) << lines[4];
  EXPECT_EQ(lines[5], "linking...");
  // The linker's own line with the program's size.
  EXPECT_EQ(lines[6].substr(0, 13), "Program Size:");
  EXPECT_EQ(lines[7].substr(0, 24), "creating hex file from \"");
  EXPECT_TRUE(EndsWith(lines[7], "Debug\\proj\"...") || EndsWith(lines[7], "Debug/proj\"..."))
      << lines[7];
  EXPECT_EQ(lines[8], "\"proj\" - 0 error(s), 0 warning(s).");

  for (const char* file : {"Debug/main.obj", "Debug/util.obj", "Debug/other.obj", "Debug/start.obj",
                           "Debug/proj", "Debug/proj.hex"}) {
    EXPECT_TRUE(Exists(file)) << file;
  }
  // The objects in walk order, the last one without its comma, the program,
  // then the linker's controls; one NUL byte ends the file.
  const std::string lnp = CommandFile();
  const std::string head =
      "\".\\Debug\\main.obj\",\n\".\\Debug\\util.obj\",\n\".\\Debug\\other.obj\",\n"
      "\".\\Debug\\start.obj\" \nTO \".\\Debug\\proj\"\n";
  EXPECT_EQ(lnp.substr(0, head.size()), head);
  ASSERT_FALSE(lnp.empty());
  EXPECT_EQ(lnp.back(), '\0');
  EXPECT_EQ(lnp.find('\0'), lnp.size() - 1);
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

TEST_F(BuildTargetTest, AnUpToDateBuildRunsNoToolAndAChangedSourceRelinksEverything) {
  WriteProgram();
  Open();
  ASSERT_EQ(Build(), 1);
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(Lines(),
            (Strings{"build target 'proj-Debug'", "\"proj\" - 0 error(s), 0 warning(s)."}));

  // Only the changed source runs; the others' objects are still linked.
  ASSERT_TRUE(SetTimeForward(project_ + "util.c", 30));
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (Strings{"compiling util.c..."}));
  EXPECT_TRUE(LinesStartingWith("assembling ").empty());
  EXPECT_TRUE(HasLine("linking..."));
  const std::string lnp = CommandFile();
  for (const char* object : {"main.obj", "util.obj", "other.obj", "start.obj"}) {
    EXPECT_NE(lnp.find(std::string("\".\\Debug\\") + object + "\""), std::string::npos) << object;
  }

  // A full rebuild translates everything again.
  ASSERT_EQ(Build(1), 1);
  EXPECT_EQ(LinesStartingWith("compiling ").size(), 3u);
  EXPECT_EQ(LinesStartingWith("assembling ").size(), 1u);
}

TEST_F(BuildTargetTest, ATouchedHeaderRebuildsTheFilesThatIncludeIt) {
  WriteProgram();
  Open();
  ASSERT_EQ(Build(), 1);
  ASSERT_TRUE(SetTimeForward(project_ + "defs.h", 30));
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "),
            (Strings{"compiling main.c...", "compiling util.c..."}));
}

TEST_F(BuildTargetTest, DamagedObjectsAreTranslatedAgain) {
  WriteProgram();
  Open();
  ASSERT_EQ(Build(), 1);
  const std::string object = Read("Debug/main.obj");
  ASSERT_GT(object.size(), 8u);
  // A record that promises more bytes than the object holds.
  Write("Debug/main.obj", object.substr(0, 6));
  // Garbage without a record: nothing to compare, the times decide.
  Write("Debug/util.obj", "\x70\xFF");
  ASSERT_TRUE(SetTimeForward(project_ + "Debug/main.obj", 60));
  ASSERT_TRUE(SetTimeForward(project_ + "Debug/util.obj", 60));
  Build();
  EXPECT_EQ(LinesStartingWith("compiling "), (Strings{"compiling main.c..."}));
}

TEST_F(BuildTargetTest, GeneratedAssemblyIsCompiledThenAssembledWhenAsked) {
  Write("gen.c", "int g;\n");
  Write("src_only.c", "int s;\n");
  Configure(AddFile(Files(), "gen.c"), {{"GenAsm", "1"}, {"AsmAsm", "1"}});
  ProjectNode* src_only = AddFile(Files(), "src_only.c");
  Configure(src_only, {{"GenAsm", "1"}, {"AsmAsm", "0"}});
  Open();
  Build();
  EXPECT_EQ(LinesStartingWith("compiling "),
            (Strings{"compiling gen.c...", "compiling src_only.c..."}));
  EXPECT_EQ(LinesStartingWith("assembling "), (Strings{"assembling .\\Debug\\gen.SRC..."}));
  EXPECT_TRUE(Exists("Debug/gen.SRC"));
  EXPECT_TRUE(Exists("Debug/gen.obj"));
  EXPECT_TRUE(Exists("Debug/src_only.SRC"));
  EXPECT_FALSE(Exists("Debug/src_only.obj"));
  EXPECT_NE(CommandFile().find("\".\\Debug\\gen.obj\""), std::string::npos);
}

TEST_F(BuildTargetTest, ExcludedFilesAndGroupsStayOutOfTheBuild) {
  Write("in.c", "int a;\n");
  Write("out.c", "int b;\n");
  Write("grp/inherits.c", "int c;\n");
  Write("grp/own.c", "int d;\n");
  Write("grp/nested.c", "int e;\n");
  Write("grp/readme.txt", "not a source\n");
  AddFile(Files(), "in.c");
  Configure(AddFile(Files(), "out.c"), {{"IncBld", "0"}});
  ProjectNode* group = host_.Add(Files(), "Filter", "Group");
  Configure(group, {{"IncBld", "0"}});
  // Stored 2 defers to the group; no configuration at all is built.
  Configure(AddFile(group, "grp/inherits.c"), {{"IncBld", "2"}});
  // Through a group without a configuration to the outer one.
  Configure(AddFile(host_.Add(group, "Filter", "Nested"), "grp/nested.c"), {{"IncBld", "2"}});
  AddFile(group, "grp/own.c");
  AddFile(group, "grp/readme.txt");
  // A group without a name is not walked.
  AddFile(host_.Add(Files(), "Filter"), "in.c");
  Open();
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (Strings{"compiling in.c...", "compiling own.c..."}));
  const std::string lnp = CommandFile();
  EXPECT_EQ(lnp.substr(0, lnp.find("TO ")), "\".\\Debug\\in.obj\",\n\".\\Debug\\own.obj\" \n");
}

TEST_F(BuildTargetTest, ObjectsAndLibrariesInTheProjectAreLinkedAsTheyAre) {
  Write("main.c", "void main(void) { }\n");
  Write("ext.c", "int ext;\n");
  std::string library, err;
  ASSERT_EQ(ReadWholeFile(SimToolBin() + "../LIB/C51S.LIB", &library, &err), ReadStatus::kOkay);
  Write("libs/C51S.LIB", library);
  // An object made earlier, as a user would add one.
  ASSERT_TRUE(CreateDirectories(project_ + "prebuilt"));
  const ProcessResult made =
      RunProcess("\"" + SimToolBin() + "C51.exe\" ext.c OBJECT(prebuilt\\ext.obj)", project_);
  ASSERT_EQ(made.status, ProcessStatus::kExited) << made.out << made.err;
  ASSERT_TRUE(Exists("prebuilt/ext.obj")) << made.out << made.err;
  Open();
  AddFile(Files(), "main.c");
  AddFile(Files(), "libs/C51S.LIB");
  AddFile(Files(), "prebuilt/ext.obj");
  ASSERT_EQ(Build(), 1);
  EXPECT_EQ(LinesStartingWith("compiling "), (Strings{"compiling main.c..."}));
  EXPECT_TRUE(LinesStartingWith("assembling ").empty());
  const std::string lnp = CommandFile();
  const size_t lib = lnp.find("libs");
  const size_t obj = lnp.find("prebuilt");
  ASSERT_NE(lib, std::string::npos);
  ASSERT_NE(obj, std::string::npos);
  // Full paths, quoted, in walk order.
  EXPECT_EQ(lnp.find("\".\\Debug\\main.obj\",\n\""), 0u);
  EXPECT_EQ(lnp.compare(lib, 16, "libs" + std::string(1, lnp[lib + 4]) + "C51S.LIB\",\n"), 0);
  EXPECT_EQ(lnp.compare(obj, 21, "prebuilt" + std::string(1, lnp[obj + 8]) + "ext.obj\" \nTO"), 0);
}

TEST_F(BuildTargetTest, BankedFilesGetBankEntriesInTheCommandFile) {
  host_.Set(config_, "CodeBank", "1,4,0x8000,0xFFFF,");
  for (const char* name : {"common.c", "b1.c", "b3.c", "b4.c", "deep.c", "own.c", "after.c"}) {
    Write(name, "int x;\n");
  }
  AddFile(Files(), "common.c");
  Configure(AddFile(Files(), "b1.c"), {{"BankNum", "1"}});
  ProjectNode* group = host_.Add(Files(), "Filter", "Banked");
  Configure(group, {{"BankNum", "3"}});
  AddFile(group, "b3.c");
  // The nearest group that has a configuration speaks for a file without
  // one; a file with one of its own but no "BankNum" does not look further.
  ProjectNode* inner = host_.Add(group, "Filter", "Inner");
  AddFile(inner, "deep.c");
  Configure(AddFile(inner, "own.c"), {{"IncBld", "1"}});
  // Four banks: bank 4 does not exist, the file goes to the common area.
  Configure(AddFile(Files(), "b4.c"), {{"BankNum", "4"}});
  // Back out of the groups: nothing of theirs sticks to the next file.
  AddFile(Files(), "after.c");
  Open();
  ASSERT_EQ(Build(), 1) << ::testing::PrintToString(Lines());
  const std::string lnp = CommandFile();
  EXPECT_EQ(lnp.substr(0, lnp.find("TO ")),
            "\".\\Debug\\common.obj\",\nBANK1 {\".\\Debug\\b1.obj\"},\n"
            "BANK3 {\".\\Debug\\b3.obj\"},\nBANK3 {\".\\Debug\\deep.obj\"},\n"
            "\".\\Debug\\own.obj\",\n\".\\Debug\\b4.obj\",\n\".\\Debug\\after.obj\" \n");
  EXPECT_NE(lnp.find("\nBankArea(0x8000,0xFFFF)\n"), std::string::npos);
}

TEST_F(BuildTargetTest, ALibraryBuildCollectsTheObjectsThroughTheLibraryManager) {
  host_.Set(config_, "GENLIB", "1");
  host_.Set(config_, "GENAPP", "0");
  Write("a.c", "int a;\n");
  Write("b.c", "int b;\n");
  AddFile(Files(), "a.c");
  AddFile(Files(), "b.c");
  Open();
  ASSERT_EQ(Build(), 1) << ::testing::PrintToString(Lines());
  EXPECT_TRUE(HasLine("creating library..."));
  EXPECT_FALSE(HasLine("linking..."));
  EXPECT_TRUE(LinesStartingWith("creating hex file").empty());
  EXPECT_EQ(CommandFile(), std::string("TRANSFER \n\".\\Debug\\a.obj\",\n\".\\Debug\\b.obj\" \n"
                                       "TO \".\\Debug\\proj.lib\"\n") +
                               '\0');
  EXPECT_TRUE(Exists("Debug/proj.lib"));
  // Up to date: the library is there, nothing runs.
  ASSERT_EQ(Build(), 1);
  EXPECT_FALSE(HasLine("creating library..."));
}

TEST_F(BuildTargetTest, ALinkerErrorFailsTheBuildAndTheNextBuildTriesAgain) {
  Write("main.c", "void main(void) { }\n");
  Write("bad.c", "int bad; // SIM-LINK: ERROR L104 MULTIPLE PUBLIC DEFINITIONS\n");
  AddFile(Files(), "main.c");
  AddFile(Files(), "bad.c");
  Open();
  EXPECT_EQ(Build(), 0);
  EXPECT_TRUE(HasLine("linking..."));
  EXPECT_FALSE(LinesStartingWith("*** ERROR L104").empty()) << ::testing::PrintToString(Lines());
  EXPECT_TRUE(LinesStartingWith("creating hex file").empty());
  EXPECT_EQ(Lines().back(), "\"proj\" - 1 error(s), 0 warning(s).");
  EXPECT_FALSE(Exists("Debug/proj"));

  // Nothing to translate, but there is no program: the link runs again
  // rather than report the old failure as success.
  EXPECT_EQ(Build(), 0);
  EXPECT_TRUE(LinesStartingWith("compiling ").empty());
  EXPECT_TRUE(HasLine("linking..."));
}

TEST_F(BuildTargetTest, CompileErrorsAreAllShownAndStopTheLink) {
  Write("one.c", "int a;\nint b = x; // SIM: ERROR C202 'x': undefined identifier\n");
  Write("two.c", "// SIM: WARNING C280 'i': unreferenced local variable\nint c;\n");
  Write("three.c", "int d; // SIM: ERROR C141 syntax error near 'int'\n");
  AddFile(Files(), "one.c");
  AddFile(Files(), "two.c");
  AddFile(Files(), "three.c");
  Open();
  EXPECT_EQ(Build(), 0);
  const std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 9u) << ::testing::PrintToString(lines);
  EXPECT_EQ(lines[1], "compiling one.c...");
  // Diagnostics name the absolute source and reach the host upper-cased.
  EXPECT_TRUE(EndsWith(lines[2], "ONE.C(2):C202: 'X': UNDEFINED IDENTIFIER")) << lines[2];
  EXPECT_EQ(lines[2].find(project_.substr(0, 1)), 0u);
  EXPECT_EQ(lines[3], "compiling two.c...");
  EXPECT_NE(lines[4].find("TWO.C(1):C280:"), std::string::npos) << lines[4];
  EXPECT_EQ(lines[5], "compiling three.c...");
  EXPECT_NE(lines[6].find("THREE.C(1):C141:"), std::string::npos) << lines[6];
  EXPECT_EQ(lines[7], "Target not created");
  EXPECT_EQ(lines[8], "\"proj\" - 2 error(s), 1 warning(s).");
  EXPECT_FALSE(Exists("Debug/proj.lnp"));
}

}  // namespace
}  // namespace c51::test
