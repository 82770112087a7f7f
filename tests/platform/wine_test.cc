// A Windows toolchain in a wine prefix, as the POSIX platform layer meets
// it: names mapped through the prefix's drives both ways, the open command
// read from the prefix's registry, and Windows programs started through a
// launcher. No wine is needed: the prefix is a folder with links, and the
// launcher a script.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/fs.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/tool_paths.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

// <dir>/prefix with drive C: on drive_c, D: on <dir>/data and Z: on "/".
class WineTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    prefix_ = dir_.path() + "prefix";
    ASSERT_TRUE(CreateDirectories(prefix_ + "/dosdevices"));
    ASSERT_TRUE(CreateDirectories(prefix_ + "/drive_c/Keil/C51/BIN"));
    ASSERT_TRUE(CreateDirectories(prefix_ + "/drive_c/Keil/C51/INC"));
    ASSERT_TRUE(CreateDirectories(dir_.path() + "data/Inc"));
    Link("../drive_c", "c:");
    Link(dir_.path() + "data", "d:");
    Link("/", "z:");
    Write(prefix_ + "/drive_c/Keil/C51/INC/reg52.h", "");
    Write(dir_.path() + "data/Inc/Board.h", "");
  }
  void Link(const std::string& target, const std::string& drive) {
    ASSERT_EQ(0, symlink(target.c_str(), (prefix_ + "/dosdevices/" + drive).c_str()));
  }
  void Write(const std::string& path, const std::string& text) {
    ASSERT_TRUE(WriteWholeFile(path, text, nullptr)) << path;
  }
  // A program file: "MZ..." for Windows, else an ELF header.
  std::string Program(const std::string& name, bool windows) {
    const std::string path = dir_.path() + name;
    Write(path, windows ? std::string("MZ\x90\x00", 4)
                        : std::string("\x7f"
                                      "ELF",
                                      4));
    return path;
  }
  static std::string Upper(std::string text) {
    for (char& c : text) {
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
  }
  static std::string Backslashed(std::string text) {
    for (char& c : text) {
      if (c == '/') c = '\\';
    }
    return text;
  }

  test::ScopedTempDir dir_{"c51wine"};
  std::string prefix_;
  test::ScopedEnv wineprefix_{"WINEPREFIX", nullptr};
  test::ScopedEnv open_command_{"UV2FILE_OPEN_COMMAND", nullptr};
  // A fake launcher must not start a real server.
  test::ScopedEnv server_{"WINESERVER", "/bin/true"};
};

TEST_F(WineTest, WindowsNamesFindTheFilesTheirDrivesMap) {
  test::ScopedEnv prefix("WINEPREFIX", prefix_.c_str());
  const std::string data = dir_.path() + "data/Inc/Board.h";
  const struct {
    std::string written;
    std::string found;
  } cases[] = {
      // The drive's link, then the letter case of each name.
      {"C:\\KEIL\\C51\\INC\\REG52.H", prefix_ + "/drive_c/Keil/C51/INC/reg52.h"},
      {"c:/Keil/C51/INC/reg52.h", prefix_ + "/drive_c/Keil/C51/INC/reg52.h"},
      {"D:\\INC\\BOARD.H", data},
      // Z: is the root: a whole POSIX path in upper case, as a Windows
      // compiler records it.
      {"Z:" + Upper(Backslashed(data)), data},
      // No link for Y:, so no drive: the name stays as written.
      {"Y:\\INC\\BOARD.H", "Y:/INC/BOARD.H"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.found, NativePath(c.written)) << c.written;
    // What a host is handed for a recorded name: a file it can open.
    EXPECT_EQ(c.written[0] == 'Y' ? c.written : c.found, OnDiskSpelling(c.written)) << c.written;
    EXPECT_TRUE(c.written[0] == 'Y' || PathExists(c.written)) << c.written;
  }
  // Inside a build the drives are read once: a link changed meanwhile is
  // seen by the next build, not this one.
  {
    FileNameMatchScope scope;
    EXPECT_EQ(data, NativePath("D:\\INC\\BOARD.H"));
    ASSERT_EQ(0, unlink((prefix_ + "/dosdevices/d:").c_str()));
    EXPECT_EQ(data, NativePath("D:\\INC\\BOARD.H"));
  }
  EXPECT_EQ("D:/INC/BOARD.H", NativePath("D:\\INC\\BOARD.H"));
}

TEST_F(WineTest, WindowsProgramsGetPathsOnThePrefixDrives) {
  test::ScopedEnv prefix("WINEPREFIX", prefix_.c_str());
  const std::string windows = Program("C51.exe", true);
  const std::string elf = Program("c51-elf", false);
  const std::string inc = prefix_ + "/drive_c/Keil/C51/INC/";
  const struct {
    std::string path;
    std::string windows;
  } cases[] = {
      {"/home/ann/blinky/main.c", "Z:\\home\\ann\\blinky\\main.c"},
      // The longest drive folder wins over the root; "\" works as "/".
      {inc, "C:\\Keil\\C51\\INC\\"},
      {Backslashed(inc) + "reg52.h", "C:\\Keil\\C51\\INC\\reg52.h"},
      {dir_.path() + "data/Inc", "D:\\Inc"},
      {dir_.path() + "data", "D:\\"},
      // Relative paths name the same file from the same folder.
      {"Debug\\main.obj", "Debug\\main.obj"},
      {".\\src\\main.c", ".\\src\\main.c"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.windows, PathForProgram(windows, c.path)) << c.path;
    EXPECT_EQ(c.path, PathForProgram(elf, c.path)) << c.path;
  }
  // Through a linked prefix folder the drive is still found.
  ASSERT_EQ(0, symlink(prefix_.c_str(), (dir_.path() + "linked").c_str()));
  EXPECT_EQ("C:\\Keil\\C51\\INC\\",
            PathForProgram(windows, dir_.path() + "linked/drive_c/Keil/C51/INC/"));
}

TEST_F(WineTest, OpenCommandComesFromThePrefixRegistry) {
  test::ScopedEnv prefix("WINEPREFIX", prefix_.c_str());
  const char kKey[] = "UV2FILE\\Shell\\open\\command";
  const std::string bin = Backslashed(prefix_) + "\\drive_c\\Keil\\UV4\\Uv4.exe";
  const struct {
    const char* file;
    std::string text;
    std::string command;  // "" for none
  } cases[] = {
      {"system.reg",
       "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
       "[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open] 1700000000\n@=\"wrong\"\n\n"
       "[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open\\\\command] 1700000000\n"
       "#time=1d9c2a0f3b4e5f6\n\"Other\"=\"x\"\n"
       "@=\"\\\"C:\\\\Keil\\\\UV4\\\\Uv4.exe\\\" \\\"%1\\\"\"\n",
       "\"" + bin + "\" \"%1\""},
      // Key names in another case, line ends of a Windows editor, the
      // expandable form.
      {"system.reg",
       "[software\\\\classes\\\\uv2file\\\\shell\\\\open\\\\command]\r\n"
       "@=str(2):\"C:\\\\Keil\\\\UV4\\\\Uv4.exe \\\"%1\\\"\"\r\n",
       "\"" + bin + "\" \"%1\""},
      // UTF-16 bytes, over two lines.
      {"system.reg",
       "[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open\\\\command]\n"
       "@=hex(2):43,00,3a,00,5c,00,4b,00,65,00,69,00,6c,00,5c,00,55,00,56,00,34,00,\\\n"
       "  5c,00,55,00,76,00,34,00,2e,00,65,00,78,00,65,00,00,00\n",
       "\"" + bin + "\""},
      // The user's classes come before the machine's.
      {"user.reg",
       "[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open\\\\command]\n"
       "@=\"D:\\\\UV4\\\\Uv4.exe\"\n",
       "\"" + Backslashed(dir_.path()) + "data\\UV4\\Uv4.exe\""},
      // A key without a default value, a value on an unmapped drive.
      {"system.reg", "[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open\\\\command]\n\"a\"=\"b\"\n",
       ""},
      {"system.reg",
       "[Software\\\\Classes\\\\UV2FILE\\\\Shell\\\\open\\\\command]\n@=\"Q:\\\\Uv4.exe\"\n", ""},
  };
  for (const auto& c : cases) {
    RemoveFile(prefix_ + "/user.reg");
    RemoveFile(prefix_ + "/system.reg");
    Write(prefix_ + "/" + c.file, c.text);
    std::string value = "untouched";
    EXPECT_EQ(!c.command.empty(), ReadClassesRootDefault(kKey, &value)) << c.text;
    EXPECT_EQ(c.command.empty() ? "untouched" : c.command, value) << c.text;
  }
  // The environment's value comes first.
  test::ScopedEnv command("UV2FILE_OPEN_COMMAND", "/opt/UV4/Uv4 \"%1\"");
  std::string value;
  EXPECT_TRUE(ReadClassesRootDefault(kKey, &value));
  EXPECT_EQ("\\opt\\UV4\\Uv4 \"%1\"", value);
}

TEST_F(WineTest, WindowsProgramsRunThroughTheLauncher) {
  // The launcher prints what it was given, one argument a line.
  const std::string launcher = dir_.path() + "fake-wine";
  Write(launcher, "#!/bin/sh\nprintf '%s\\n' \"$@\"\nexit 3\n");
  ASSERT_EQ(0, chmod(launcher.c_str(), 0755));
  test::ScopedEnv chosen("CORVANE_WINE", launcher.c_str());
  const std::string windows = Program("C51.exe", true);
  ProcessResult result = RunProcess("\"" + windows + "\" main.c \"a b\"", dir_.path());
  ASSERT_EQ(ProcessStatus::kExited, result.status) << result.system_error;
  EXPECT_EQ(3, result.exit_code);
  EXPECT_EQ(windows + "\nmain.c\na b\n", result.out);
  // An ELF program is started itself, launcher or not.
  result = RunProcess("/bin/echo x", dir_.path());
  EXPECT_EQ("x\n", result.out);
}

TEST_F(WineTest, WinesReportOfAnUnhandledExceptionIsACrash) {
  const std::string windows = Program("C51.exe", true);
  const struct {
    const char* script;  // what the launcher does in place of the program
    ProcessStatus status;
    int code;
  } cases[] = {
      {"echo 'wine: Unhandled page fault at address 000000007B013D7E (thread 019c), starting "
       "debugger...' >&2; exit 5",
       ProcessStatus::kCrashed, static_cast<int>(0xC0000005u)},
      {"echo out; echo 'wine: Unhandled exception 0xc0000409 in thread 24 at address 0x1' >&2; "
       "exit 9",
       ProcessStatus::kCrashed, static_cast<int>(0xC0000409u)},
      {"echo 'wine: Unhandled illegal instruction at address 0x1' >&2; exit 29",
       ProcessStatus::kCrashed, static_cast<int>(0xC000001Du)},
      // An ordinary failure, and the words inside a line of the program's.
      {"exit 5", ProcessStatus::kExited, 5},
      {"echo 'error: wine: Unhandled page fault' >&2; exit 2", ProcessStatus::kExited, 2},
      // Killed with 0 when its debugger let go first: the reports decide.
      {"echo 'wine: Unhandled page fault at address 0x1' >&2; exit 0", ProcessStatus::kCrashed,
       static_cast<int>(0xC0000005u)},
      {"echo banner; echo 'Unhandled exception: divide by zero in 64-bit code (0x1).'; exit 0",
       ProcessStatus::kCrashed, static_cast<int>(0xC0000094u)},
      {"echo 'no Unhandled exception: here'; exit 0", ProcessStatus::kExited, 0},
  };
  for (const auto& c : cases) {
    const std::string launcher = dir_.path() + "fake-wine";
    Write(launcher, std::string("#!/bin/sh\n") + c.script + "\n");
    ASSERT_EQ(0, chmod(launcher.c_str(), 0755));
    test::ScopedEnv chosen("CORVANE_WINE", launcher.c_str());
    for (StreamOrder order : {StreamOrder::kApart, StreamOrder::kErrAfterOut}) {
      ProcessOptions options;
      options.order = order;
      const ProcessResult result = RunProcess("\"" + windows + "\"", dir_.path(), options);
      EXPECT_EQ(c.status, result.status) << c.script;
      EXPECT_EQ(c.code, result.exit_code) << c.script;
    }
  }
  // An ELF program that writes the same is not judged by it.
  const ProcessResult elf =
      RunProcess("/bin/sh -c \"echo 'wine: Unhandled page fault' >&2; exit 5\"", dir_.path());
  EXPECT_EQ(ProcessStatus::kExited, elf.status);
  EXPECT_EQ(5, elf.exit_code);
}

TEST_F(WineTest, NoLauncherFailsTheStartAndSaysWhatIsMissing) {
  const std::string windows = Program("C51.exe", true);
  test::ScopedEnv path("PATH", (dir_.path() + "empty").c_str());
  for (const char* chosen : {"/nowhere/wine", static_cast<const char*>(nullptr)}) {
    test::ScopedEnv variable("CORVANE_WINE", chosen);
    const ProcessResult result = RunProcess("\"" + windows + "\" main.c", dir_.path());
    EXPECT_EQ(ProcessStatus::kStartFailed, result.status);
    EXPECT_NE(0, result.system_error);
    EXPECT_NE(std::string::npos, result.start_problem.find("CORVANE_WINE")) << result.start_problem;
    EXPECT_NE(std::string::npos, result.start_problem.find("wine64")) << result.start_problem;
    if (chosen != nullptr) {
      EXPECT_NE(std::string::npos, result.start_problem.find(chosen)) << result.start_problem;
    }
  }
}

}  // namespace
}  // namespace c51
