// The host's own system services that the other tests do not reach: the
// receiving end of the import diagnostics channel and Ctrl-C.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#if !defined(_WIN32)
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "host/host_platform.h"
#include "platform/fs.h"
#include "platform/list_window.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include "host_process.h"
#endif

namespace c51::host {
namespace {

TEST(HostPlatformTest, DiagnosticsArriveWhileTheListenerLives) {
  const std::string first = "import_assert failed : line 12, m_xml.FindElem( \"Project\" )";
  const std::string second = "import_assert failed : line 40, pFiles";
  {
    DiagnosticsListener listener;
    std::string err;
    ASSERT_TRUE(listener.Start(&err)) << err;
    // The plug-in's side of the channel: the text and its NUL.
    EXPECT_NE(SendToListWindow(first.c_str(), first.size() + 1), 0);
    EXPECT_NE(SendToListWindow(second.c_str(), second.size() + 1), 0);
    EXPECT_EQ(listener.TakeLines(), (std::vector<std::string>{first, second}));
    EXPECT_TRUE(listener.TakeLines().empty());
  }
  // Nobody listens any more: the line is lost without an error.
  EXPECT_EQ(SendToListWindow(first.c_str(), first.size() + 1), 0);
}

#if !defined(_WIN32)
std::atomic<int> g_interrupts{0};
void CountInterrupt() {
  ++g_interrupts;
}

// As the plug-in's StopBuild is called: once per request, from the handler.
void SayStop() {
  ssize_t ignored = write(STDERR_FILENO, "<stop>", 6);
  (void)ignored;
}

TEST(HostPlatformTest, TheFirstInterruptCallsBackOnceAndTheHandlerStays) {
  g_interrupts = 0;
  InstallInterruptHandler(CountInterrupt);
  raise(SIGINT);
  EXPECT_EQ(g_interrupts.load(), 1);
  struct sigaction now;
  sigaction(SIGINT, nullptr, &now);
  EXPECT_NE(now.sa_handler, SIG_DFL);
  RemoveInterruptHandler();
  sigaction(SIGINT, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

// Two more requests after the first end the running tool for certain; the
// process ends with 128 + the signal, as a shell reports a killed program.
TEST(HostPlatformTest, ASecondInterruptOrATerminationEndsTheProcess) {
  EXPECT_EXIT(
      {
        InstallInterruptHandler(SayStop);
        raise(SIGINT);
        raise(SIGINT);
      },
      testing::ExitedWithCode(128 + SIGINT),
      "current step[^<]*<stop>[^<]*ending the running tool and quitting[^<]*<stop><stop>");
  EXPECT_EXIT(
      {
        InstallInterruptHandler(SayStop);
        raise(SIGTERM);
      },
      testing::ExitedWithCode(128 + SIGTERM), "^[^<]*quitting[^<]*<stop><stop>$");
  EXPECT_EXIT(
      {
        InstallInterruptHandler(SayStop);
        raise(SIGHUP);
      },
      testing::ExitedWithCode(128 + SIGHUP), "quitting[^<]*<stop><stop>$");
  // A host started with a signal ignored (nohup) keeps ignoring it.
  EXPECT_EXIT(
      {
        signal(SIGHUP, SIG_IGN);
        InstallInterruptHandler(SayStop);
        raise(SIGHUP);
        _exit(0);
      },
      testing::ExitedWithCode(0), "^$");
}

// A user command runs in the host's own process group, which a signal sent
// to the host alone does not reach: the host passes it on.
TEST(HostPlatformTest, AnEndedHostPassesTheSignalToItsUserCommand) {
  test::ScopedTempDir dir("c51cmd");
  ASSERT_FALSE(dir.path().empty());
  // A host of its own, forked: the command holds no pipe of the test's.
  const pid_t host = fork();
  ASSERT_GE(host, 0);
  if (host == 0) {
    InstallInterruptHandler(CountInterrupt);
    int code = 0;
    RunShellCommand("echo $$ >command.pid; kill -TERM $PPID; exec sleep 600 >/dev/null 2>&1",
                    dir.path(), &code);
    _exit(0);
  }
  int status = 0;
  ASSERT_EQ(waitpid(host, &status, 0), host);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 128 + SIGTERM) << status;
  std::string text, err;
  ASSERT_EQ(ReadWholeFile(dir.path() + "command.pid", &text, &err), ReadStatus::kOkay) << err;
  const int command = std::atoi(text.c_str());
  ASSERT_GT(command, 0);
  EXPECT_TRUE(test::WaitForProcessEnd(command));
  if (test::ProcessRunning(command)) kill(command, SIGKILL);
}
#endif

}  // namespace
}  // namespace c51::host
