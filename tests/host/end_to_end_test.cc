// The built corvane-c51 run as a process: project files made, changed and
// refused, the usage errors, the plug-in check, compdb's output.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <string>
#include <vector>

#include "host/host_tree.h"
#include "host/project_file.h"
#include "import/import_names.h"
#include "platform/fs.h"
#include "project/node.h"
#include "run_host.h"
#include "support/temp_dir.h"

namespace c51::host {
namespace {

using test::HostRun;
using test::RunHost;

#if defined(_WIN32)
constexpr char kNativeSeparator = '\\';
#else
constexpr char kNativeSeparator = '/';
#endif

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.path().empty()); }

  HostRun Run(const std::vector<std::string>& args) { return RunHost(args, dir_.path()); }
  std::string Path(const std::string& name) const { return dir_.path() + name; }
  std::string Read(const std::string& name) const {
    std::string text, err;
    ReadWholeFile(Path(name), &text, &err);
    return text;
  }
  void Write(const std::string& name, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(Path(name), text, &err)) << err;
  }
  // "new" with the defaults; the project file's path.
  std::string NewProject(const std::string& name = "demo.cvproj") {
    HostRun run = Run({"new", Path(name)});
    EXPECT_EQ(run.status, 0) << run.err;
    return Path(name);
  }
  // A failure: the status, one line on standard error naming `part`.
  static void ExpectError(const HostRun& run, const std::string& part) {
    EXPECT_EQ(run.status, 2) << run.out << run.err;
    EXPECT_EQ(test::LineCount(run.err), 1) << run.err;
    EXPECT_EQ(run.err.rfind("corvane-c51: ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
  }

  test::ScopedTempDir dir_{"c51host"};
};

TEST_F(EndToEndTest, NewWritesAProjectWithADefaultConfiguration) {
  HostRun run = Run({"new", Path("demo.cvproj"), "--config", "Debug", "--device", "AT89C52",
                     "--cpu", "IRAM(0-0xFF) CLOCK(12000000)"});
  ASSERT_EQ(run.status, 0) << run.err;
  HostTree tree;
  std::string err;
  ASSERT_EQ(LoadProjectFile(Path("demo.cvproj"), &tree, &err), LoadStatus::kOkay) << err;
  ProjectNode* root = tree.root();
  EXPECT_STREQ(GetAttributeText(root, "Name"), "demo");
  EXPECT_STREQ(GetAttributeText(root, "ActiveConfiguration"), "Debug");
  ProjectNode* config = FirstChildNamed(FirstChildNamed(root, "Configurations"), "Configuration");
  ASSERT_NE(config, nullptr);
  // Written by the plug-in through the services; the clock comes from the
  // device's CPU text through the context.
  EXPECT_STREQ(GetAttributeText(config, "OutputDirectory"), ".\\Debug\\");
  EXPECT_STREQ(GetAttributeText(config, "SIMCLK"), "12.000000");
  EXPECT_NE(FirstChildNamed(config, "Tool"), nullptr);
  EXPECT_NE(FirstChildNamed(root, "Files"), nullptr);
}

TEST_F(EndToEndTest, NewDoesNotReplaceAFileUnlessForced) {
  Write("demo.cvproj", "precious");
  ExpectError(Run({"new", Path("demo.cvproj")}), "--force");
  EXPECT_EQ(Read("demo.cvproj"), "precious");
  {
    const HostRun run = Run({"new", Path("demo.cvproj"), "--force"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }
  EXPECT_NE(Read("demo.cvproj"), "precious");
}

TEST_F(EndToEndTest, AddAndShow) {
  const std::string project = NewProject();
  Write("main.c", "void main(void) {}\n");
  Write("start.a51", "END\n");
  HostRun add =
      Run({"add", "-p", project, Path("main.c"), Path("start.a51"), "--group", "App/Core"});
  ASSERT_EQ(add.status, 0) << add.err;
  // Adding the same file again changes nothing.
  {
    const HostRun run = Run({"add", "-p", project, Path("main.c")});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }

  HostRun show = Run({"show", "-p", project});
  ASSERT_EQ(show.status, 0) << show.err;
  for (const char* part :
       {"Filter Name=\"App\"", "Filter Name=\"Core\"", "File RelativePath=\".\\main.c\"",
        "[C source]", "    C51: ", "[assembly source]", "    A51: ", "linker:"}) {
    EXPECT_NE(show.out.find(part), std::string::npos) << part << "\n" << show.out;
  }
  EXPECT_EQ(show.out.find("File RelativePath=\".\\main.c\""),
            show.out.rfind("File RelativePath=\".\\main.c\""));

#ifndef _WIN32
  // The tools get a source's name between double quotes: a name holding
  // one is refused, and nothing is added.
  Write("say\"hi\".c", "int x;\n");
  HostRun quoted = Run({"add", "-p", project, Path("say\"hi\".c")});
  EXPECT_EQ(quoted.status, 2) << quoted.out;
  EXPECT_NE(quoted.err.find("cannot hold a double quote"), std::string::npos) << quoted.err;
  EXPECT_EQ(Run({"show", "-p", project}).out.find("say"), std::string::npos);
#endif
}

#ifndef _WIN32
// A project shared through a symbolic link: a command that saves it writes
// the file the link points at and leaves the link in place.
TEST_F(EndToEndTest, SavingThroughALinkChangesTheSharedProject) {
  const std::string shared = NewProject("shared.cvproj");
  ASSERT_EQ(symlink(shared.c_str(), Path("link.cvproj").c_str()), 0);
  Write("main.c", "void main(void) {}\n");
  HostRun add = Run({"add", "-p", Path("link.cvproj"), Path("main.c")});
  ASSERT_EQ(add.status, 0) << add.out << add.err;
  struct stat st;
  ASSERT_EQ(lstat(Path("link.cvproj").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(Read("shared.cvproj").find("main.c"), std::string::npos) << Read("shared.cvproj");
}
#endif

// Each target becomes a whole configuration: past the limit they are left
// out with one line, and the options of a current target that was left out
// land on no other one.
TEST_F(EndToEndTest, ImportLeavesOutTargetsPastTheLimit) {
  const int count = kMaxImportedTargets + 2;
  std::string project, options;
  for (int n = 1; n <= count; ++n) {
    project += "Target (T" + std::to_string(n) + ")\r\n";
    options += n == count ? "OPTFL 1,4,1\r\n" : "OPTFL 1,4,0\r\n";
  }
  project += "Options " + std::to_string(count) + ",0,0\r\n OutName (last)\r\nEndOpt\r\n";
  Write("Many.uv2", project);
  Write("Many.opt", options);
  HostRun run = Run({"import", Path("Many.uv2")});
  ASSERT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_NE(run.err.find("more than " + std::to_string(kMaxImportedTargets) + " targets"),
            std::string::npos)
      << run.err;
  HostTree tree;
  std::string err;
  ASSERT_EQ(LoadProjectFile(Path("Many.cvproj"), &tree, &err), LoadStatus::kOkay) << err;
  int configs = 0;
  ProjectNode* last = nullptr;
  for (ProjectNode* c =
           FirstChildNamed(FirstChildNamed(tree.root(), "Configurations"), "Configuration");
       c != nullptr; c = c->next_sibling) {
    ++configs;
    last = c;
    ASSERT_STREQ(GetAttributeText(c, "OutputName"), "Many");
  }
  EXPECT_EQ(configs, kMaxImportedTargets);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(GetAttributeText(last, "Name"), "T" + std::to_string(kMaxImportedTargets));
}

TEST_F(EndToEndTest, ProjectFilesThatCannotBeLoaded) {
  const std::string project = NewProject();
  const std::string whole = Read("demo.cvproj");
  struct Case {
    const char* name;
    std::string text;
    const char* message;
  } cases[] = {
      {"half.cvproj", whole.substr(0, whole.size() / 2), "not a project file"},
      {"text.cvproj", "this is not XML\n", "not a project file"},
      {"other.cvproj", "<?xml version=\"1.0\"?>\n<Project/>\n", "root element is \"Project\""},
      {"empty.cvproj", "", "not a project file"},
  };
  Write("main.c", "void main(void) {}\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Write(c.name, c.text);
    ExpectError(Run({"show", "-p", Path(c.name)}), c.message);
    // A command that would save leaves the file as it was.
    ExpectError(Run({"add", "-p", Path(c.name), Path("main.c")}), c.name);
    EXPECT_EQ(Read(c.name), c.text);
  }
  ExpectError(Run({"build", "-p", Path("missing.cvproj")}), "no such project file");
}

TEST_F(EndToEndTest, UsageErrors) {
  const std::string project = NewProject();
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"frobnicate"}, "unknown command"},
      {{"show", "--frobnicate"}, "unknown option"},
      {{"show", "-p"}, "needs a value"},
      {{"translate", "-p", project}, "needs <file>"},
      {{"show", "-p", project, "--config", "Nope"}, "no configuration named \"Nope\""},
      {{"build", "-p", project, "--config", "Nope"}, "no configuration named \"Nope\""},
      {{"translate", "-p", project, Path("absent.c")}, "is not a file of the project"},
      {{"import", Path("absent.uvproj")}, "no such file"},
      {{"add", "-p", project, Path("absent.c")}, "no such file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    HostRun run = Run(c.args);
    EXPECT_EQ(run.status, 2) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  Write("notes.txt", "x");
  ExpectError(Run({"import", Path("notes.txt")}), "not a uVision project");
}

TEST_F(EndToEndTest, EveryCommandHasHelp) {
  for (const char* command : {"new", "add", "import", "build", "translate", "clean", "deps",
                              "includes", "show", "compdb", "settings"}) {
    SCOPED_TRACE(command);
    HostRun run = Run({command, "--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind(std::string("usage: corvane-c51 ") + command, 0), 0u) << run.out;
  }
  HostRun none = Run({});
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("commands:"), std::string::npos);
}

TEST_F(EndToEndTest, APluginWithoutGetInterfaceIsRefused) {
  const std::string project = NewProject();
  const std::string before = Read("demo.cvproj");
  ExpectError(
      Run({"build", "-p", project, "--plugin", ExecutableDirectory() + "fakehost/opt/Mirelsk.dll"}),
      "exports no GetInterface");
  ExpectError(Run({"clean", "-p", project, "--plugin", Path("none.so")}),
              "cannot load the plug-in");
  ExpectError(Run({"clean", "-p", project, "--toolchain", Path("no-such-folder")}),
              "no such folder");
  EXPECT_EQ(Read("demo.cvproj"), before);
}

// Separators as this platform writes them, for comparing folder texts.
std::string Native(std::string path) {
  for (char& c : path)
    if (c == '/' || c == '\\') c = kNativeSeparator;
  return path;
}

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

// The plug-in asks the preference store where the toolchain is; its
// include folder is the first the compiler searches.
TEST_F(EndToEndTest, IncludesFollowThePreferenceStore) {
  const std::string project = NewProject();
  HostRun bundled = Run({"includes", "-p", project});
  ASSERT_EQ(bundled.status, 0) << bundled.err;
  EXPECT_EQ(Native(FirstLine(bundled.out)), Native(ExecutableDirectory() + "simtool/C51/INC/"));

  ASSERT_TRUE(CreateDirectories(Path("keil/C51/BIN")));
  HostRun chosen = Run({"includes", "-p", project, "--toolchain", Path("keil")});
  ASSERT_EQ(chosen.status, 0) << chosen.err;
  EXPECT_EQ(Native(FirstLine(chosen.out)), Native(Path("keil/C51/INC/")));
}

TEST_F(EndToEndTest, TreeBytesSurviveAChangingCommand) {
  const std::string project = NewProject();
  // A GBK group name and bytes that are not GBK, put in through the
  // project file, then a command that saves the project.
  HostTree tree;
  std::string err;
  ASSERT_EQ(LoadProjectFile(project, &tree, &err), LoadStatus::kOkay) << err;
  ProjectNode* files = FirstChildNamed(tree.root(), "Files");
  ProjectNode* group = tree.AddChild(files, "Filter", "\xD4\xB4\xCE\xC4\xBC\xFE");
  tree.SetAttribute(group, "Note", std::string("\xFF\x80<&>\"\t", 7));
  ASSERT_TRUE(SaveProjectFile(project, tree, &err)) << err;

  Write("main.c", "void main(void) {}\n");
  {
    const HostRun run = Run({"add", "-p", project, Path("main.c")});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }
  HostTree after;
  ASSERT_EQ(LoadProjectFile(project, &after, &err), LoadStatus::kOkay) << err;
  ProjectNode* kept = FirstChildNamed(FirstChildNamed(after.root(), "Files"), "Filter");
  ASSERT_NE(kept, nullptr);
  EXPECT_STREQ(GetAttributeText(kept, "Name"), "\xD4\xB4\xCE\xC4\xBC\xFE");
  EXPECT_EQ(std::string(GetAttributeText(kept, "Note")), std::string("\xFF\x80<&>\"\t", 7));
}

TEST_F(EndToEndTest, CompdbWritesEntriesAndTheKeywordHeader) {
  const std::string project = NewProject();
  Write("main.c", "void main(void) {}\n");
  Write("start.a51", "END\n");
  {
    const HostRun run = Run({"add", "-p", project, Path("main.c"), Path("start.a51")});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
  }
  // A define and an include folder at project scope, set in the file.
  HostTree tree;
  std::string err;
  ASSERT_EQ(LoadProjectFile(project, &tree, &err), LoadStatus::kOkay) << err;
  ProjectNode* tool = FirstChildNamed(
      FirstChildNamed(FirstChildNamed(tree.root(), "Configurations"), "Configuration"), "Tool");
  tree.SetAttribute(tool, "C51DEF", "DEBUG LEVEL=2");
  tree.SetAttribute(tool, "INCC5", ".\\inc");
  ASSERT_TRUE(SaveProjectFile(project, tree, &err)) << err;

  HostRun run = Run({"compdb", "-p", project});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string json = Read("compile_commands.json");
  const std::string header = Path("corvane-c51-keywords.h");
  EXPECT_EQ(json.rfind("[\n  {\n    \"directory\": ", 0), 0u) << json;
  // One entry: the C file; the assembly file has none.
  EXPECT_EQ(json.find("\"file\""), json.rfind("\"file\""));
  EXPECT_EQ(json.find("start.a51"), std::string::npos);
  EXPECT_NE(json.find("\"arguments\": [\"clang\", \"-xc\", \"-DDEBUG\", \"-DLEVEL=2\", \"-I"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("\"-include\", "), std::string::npos);
  EXPECT_NE(json.find("corvane-c51-keywords.h\", "), std::string::npos);
  EXPECT_NE(Read("corvane-c51-keywords.h").find("#define sfr "), std::string::npos);
  EXPECT_TRUE(PathExists(header));
}

TEST_F(EndToEndTest, SettingsRunsTheDialogAndSavesWhatItWrote) {
  const std::string project = NewProject();
  HostRun run = Run({"settings", "-p", project, "type 1563 11.0592", "show", "ok"});
  ASSERT_EQ(run.status, 0) << run.err;
  // Windows writes the report's line ends as "\r\n".
  std::erase(run.out, '\r');
  // The title, caption and "Default" button the plug-in composed. Windows
  // prints them in the console's or the ANSI code page, POSIX in UTF-8.
  EXPECT_NE(run.out.find("\"]\n  caption \"Corvane Settings\"\n  7701 button \""),
            std::string::npos)
      << run.out;
#if !defined(_WIN32)
  EXPECT_EQ(run.out.rfind("[sheet \"配置目标工程 \\\"demo\\\"\"]\n"
                          "  caption \"Corvane Settings\"\n"
                          "  7701 button \"默认值\"\n",
                          0),
            0u)
      << run.out;
#endif
  for (const char* part : {"> type 1563 11.0592\n", "[page 1 \"Target\"]",
                           "  1563 edit \"Xtal(MHz):\" \"11.0592\"", "result: OK"}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
  }
  HostTree tree;
  std::string err;
  ASSERT_EQ(LoadProjectFile(project, &tree, &err), LoadStatus::kOkay) << err;
  ProjectNode* config =
      FirstChildNamed(FirstChildNamed(tree.root(), "Configurations"), "Configuration");
  EXPECT_STREQ(GetAttributeText(config, "SIMCLK"), "11.059200");

  // A refused page change shows the page's message and fails the command
  // after the report; Cancel writes nothing.
  const std::string before = Read("demo.cvproj");
  run = Run({"settings", "-p", project, "type 1011 0x10000", "page 2", "cancel"});
  ASSERT_EQ(run.status, 2) << run.err;
  EXPECT_NE(run.out.find("refused: page 2"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("message: "), std::string::npos) << run.out;
  EXPECT_EQ(Read("demo.cvproj"), before);

  ExpectError(Run({"settings", "-p", project, "press 1"}), "unknown action \"press\"");
  ExpectError(Run({"settings", "-p", project, "--group", "Nope", "ok"}), "no group \"Nope\"");
  EXPECT_EQ(Read("demo.cvproj"), before);
}

}  // namespace
}  // namespace c51::host
