#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/cli.h"

namespace c51::host {
namespace {

TEST(CliTest, AcceptedCommandLines) {
  struct Case {
    std::vector<std::string> args;
    std::string command;
    std::vector<std::string> arguments;
    std::string config;   // --config
    std::string project;  // --project
    bool rebuild;
  } cases[] = {
      {{"build"}, "build", {}, "", "", false},
      {{"build", "--rebuild", "--config", "Rel"}, "build", {}, "Rel", "", true},
      {{"build", "--config=Target 1", "-p", "a.cvproj"},
       "build",
       {},
       "Target 1",
       "a.cvproj",
       false},
      // Global options may come first; options and arguments mix.
      {{"--plugin", "x.so", "translate", "main.c", "--config", "D"},
       "translate",
       {"main.c"},
       "D",
       "",
       false},
      // "--" ends the options: what follows is an argument.
      {{"add", "--", "-odd.c"}, "add", {"-odd.c"}, "", "", false},
      {{"add", "a.c", "b.a51", "--group", "App/Drivers"}, "add", {"a.c", "b.a51"}, "", "", false},
      {{"build", "--config="}, "build", {}, "", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front() + " ...");
    ParsedCommand parsed;
    std::string err;
    ASSERT_TRUE(ParseCommandLine(c.args, &parsed, &err)) << err;
    ASSERT_NE(parsed.command_info, nullptr);
    EXPECT_EQ(parsed.command_info->name, c.command);
    EXPECT_EQ(parsed.arguments, c.arguments);
    EXPECT_EQ(parsed.Value("config"), c.config);
    EXPECT_EQ(parsed.Value("project"), c.project);
    EXPECT_EQ(parsed.Has("rebuild"), c.rebuild);
  }
}

TEST(CliTest, RefusedCommandLines) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"frobnicate"}, "unknown command \"frobnicate\""},
      {{"build", "--frob"}, "unknown option \"--frob\" for \"build\""},
      {{"build", "-x"}, "unknown option \"-x\""},
      {{"build", "-rebuild"}, "unknown option"},
      {{"new", "--rebuild", "a.cvproj"}, "unknown option \"--rebuild\""},
      {{"build", "--config"}, "needs a value (NAME)"},
      {{"build", "--rebuild=yes"}, "takes no value"},
      {{"translate"}, "needs <file>"},
      {{"build", "extra"}, "unexpected argument \"extra\""},
      {{"new", "a", "b"}, "unexpected argument \"b\""},
      {{"--frob", "build"}, "unknown option \"--frob\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    ParsedCommand parsed;
    std::string err;
    EXPECT_FALSE(ParseCommandLine(c.args, &parsed, &err));
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
  }
}

TEST(CliTest, HelpNeedsNoArguments) {
  ParsedCommand parsed;
  std::string err;
  ASSERT_TRUE(ParseCommandLine({"translate", "--help"}, &parsed, &err)) << err;
  EXPECT_TRUE(parsed.help);
  ASSERT_TRUE(ParseCommandLine({"-h"}, &parsed, &err)) << err;
  EXPECT_TRUE(parsed.help);
  EXPECT_EQ(parsed.command_info, nullptr);
}

TEST(CliTest, EveryCommandsHelpListsItsOptions) {
  for (const CommandSpec& command_info : Commands()) {
    SCOPED_TRACE(command_info.name);
    std::string help = CommandHelp(command_info);
    EXPECT_EQ(help.rfind(std::string("usage: corvane-c51 ") + command_info.name, 0), 0u);
    for (const OptionSpec& option : command_info.options)
      EXPECT_NE(help.find(std::string("--") + option.name), std::string::npos) << option.name;
    EXPECT_NE(GeneralHelp().find(std::string("  ") + command_info.name + " "), std::string::npos);
  }
}

}  // namespace
}  // namespace c51::host
