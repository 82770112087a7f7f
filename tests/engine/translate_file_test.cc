// The host's single-file translation through GetInterface.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine_fixture.h"
#include "platform/env.h"
#include "project/node.h"

namespace c51::test {
namespace {

using Strings = std::vector<std::string>;

int(C51_CDECL* g_run)(const char*, int, int, int, int*) = nullptr;
std::string g_include_at_command;

int C51_CDECL RecordInclude(const char* line, int a, int b, int c, int* exit_code) {
  if (!GetEnv("C51INC", &g_include_at_command)) g_include_at_command = "(unset)";
  return g_run(line, a, b, c, exit_code);
}

class TranslateFileTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    Write("main.c", "#include \"defs.h\"\nvoid main(void) { }\n");
    Write("defs.h", "#define N 2\n");
    Write("start.a51", "        END\n");
    Write("bad.c", "int b; // SIM: ERROR C141 syntax error near 'int'\n");
    main_ = AddFile(Files(), "main.c");
    start_ = AddFile(Files(), "start.a51");
    group_ = host_.Add(Files(), "Filter", "Group");
    bad_ = AddFile(group_, "bad.c");
    host_.Set(config_, "BeforeBuild", "1?before?0??");
    host_.Set(config_, "AfterBuild", "1?after?0??");
  }

  Strings Services() const {
    Strings services;
    for (const HostCall& call : host_.calls) services.push_back(call.service);
    return services;
  }

  ProjectNode* main_ = nullptr;
  ProjectNode* start_ = nullptr;
  ProjectNode* group_ = nullptr;
  ProjectNode* bad_ = nullptr;
};

TEST_F(TranslateFileTest, ACSourceIsAlwaysCompiledAnAssemblySourceOnlyWhenOutOfDate) {
  Open();
  Build();
  ASSERT_TRUE(Exists("Debug/main.obj"));
  ASSERT_TRUE(Exists("Debug/start.obj"));

  Clear();
  EXPECT_EQ(table_->TranslateFile(main_), 1);
  EXPECT_EQ(Lines(), (Strings{"compiling main.c...", "\"proj\" - 0 error(s), 0 warning(s)."}));
  // No build commands, no link; the host hears about the end last.
  EXPECT_EQ(Services(), (Strings{"Output", "Output", "TranslationDone"}));

  Clear();
  EXPECT_EQ(table_->TranslateFile(start_), 1);
  EXPECT_EQ(Lines(), (Strings{"\"proj\" - 0 error(s), 0 warning(s)."}));
  EXPECT_EQ(Services().back(), "TranslationDone");

  ASSERT_TRUE(SetTimeForward(project_ + "start.a51", 30));
  Clear();
  EXPECT_EQ(table_->TranslateFile(start_), 1);
  ASSERT_EQ(Lines().size(), 2u);
  EXPECT_EQ(Lines()[0].substr(0, 11), "assembling ");
}

TEST_F(TranslateFileTest, CountersStartAtZeroForEachTranslation) {
  Open();
  EXPECT_EQ(table_->TranslateFile(bad_), 1);
  EXPECT_EQ(Lines().back(), "\"proj\" - 1 error(s), 0 warning(s).");
  Clear();
  EXPECT_EQ(table_->TranslateFile(main_), 1);
  EXPECT_EQ(Lines().back(), "\"proj\" - 0 error(s), 0 warning(s).");
}

TEST_F(TranslateFileTest, OnlyFileNodesAreTranslated) {
  Open();
  EXPECT_EQ(table_->TranslateFile(group_), 1);
  EXPECT_TRUE(host_.calls.empty());
  EXPECT_EQ(table_->TranslateFile(nullptr), 0);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(TranslateFileTest, WithoutAConfigurationNothingIsTranslated) {
  table_->SetHostContext(host_.Context());
  EXPECT_EQ(table_->TranslateFile(main_), 0);
  table_->OpenConfiguration(host_.root(), "Release");
  EXPECT_EQ(table_->TranslateFile(main_), 0);
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(TranslateFileTest, TheConfigurationsRegisterFolderJoinsTheIncludeVariable) {
  host_.Set(config_, "BeforeCmp", "1?compile?0??");
  Open();
  g_run = table_->HostRunCommand;
  table_->HostRunCommand = RecordInclude;
  const std::string bin = SimToolBin();
  const std::string inc = bin.substr(0, bin.size() - 4) + "INC\\";

  host_.Set(config_, "RGF", "x(< Philips >)");
  EXPECT_EQ(table_->TranslateFile(main_), 1);
  EXPECT_EQ(g_include_at_command, inc + ";" + inc + "Philips\\");

  host_.Set(config_, "RGF", "(<>)");
  EXPECT_EQ(table_->TranslateFile(main_), 1);
  EXPECT_EQ(g_include_at_command, inc);
}

}  // namespace
}  // namespace c51::test
