// Commands that change one project at the same time: each change is kept,
// or the command says it was not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/project_lock.h"
#include "platform/fs.h"
#include "run_host.h"
#include "support/temp_dir.h"

#if !defined(_WIN32)
#include <sys/wait.h>
#include <unistd.h>

#include "host_process.h"
#endif

namespace c51::host {
namespace {

TEST(ProjectLockTest, ASecondHolderWaitsThenGivesUpUntilTheFirstLetsGo) {
  test::ScopedTempDir dir("c51lock");
  const std::string project = dir.path() + "p.cvproj";
  ProjectLock first, second;
  std::string err;
  ASSERT_TRUE(first.Acquire(project, &err)) << err;
  EXPECT_TRUE(PathExists(ProjectLock::LockPathOf(project)));
  EXPECT_FALSE(second.Acquire(project, &err, 100));
  EXPECT_NE(err.find("another command is changing this project"), std::string::npos) << err;
  EXPECT_NE(err.find(ProjectLock::LockPathOf(project)), std::string::npos) << err;
  first.Release();
  EXPECT_TRUE(second.Acquire(project, &err, 100)) << err;
  second.Release();
  EXPECT_FALSE(PathExists(ProjectLock::LockPathOf(project)));
}

#if !defined(_WIN32)
// (Windows removes a lock with its holder, so none is ever left behind.)
TEST(ProjectLockTest, ALockLeftByAProcessThatEndedIsTakenOver) {
  test::ScopedTempDir dir("c51lock");
  const std::string project = dir.path() + "p.cvproj";
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(
      WriteWholeFile(ProjectLock::LockPathOf(project), std::to_string(child) + "\n", nullptr));
  ProjectLock lock;
  std::string err;
  EXPECT_TRUE(lock.Acquire(project, &err, 0)) << err;
  lock.Release();

  // One whose holder is unknown (no process id in it) is left alone.
  ASSERT_TRUE(WriteWholeFile(ProjectLock::LockPathOf(project), "x", nullptr));
  EXPECT_FALSE(lock.Acquire(project, &err, 50));
}

class ConcurrentCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project_ = dir_.path() + "p.cvproj";
    const test::HostRun made = test::RunHost({"new", project_}, dir_.path());
    ASSERT_EQ(made.status, 0) << made.err;
  }
  std::string Show() { return test::RunHost({"show", "-p", project_}, dir_.path()).out; }

  test::ScopedTempDir dir_{"c51conc"};
  std::string project_;
};

TEST_F(ConcurrentCommandsTest, TwoAddsAtOnceKeepBothFiles) {
  for (int round = 0; round < 10; ++round) {
    const std::string a = dir_.path() + "a" + std::to_string(round) + ".c";
    const std::string b = dir_.path() + "b" + std::to_string(round) + ".c";
    ASSERT_TRUE(WriteWholeFile(a, "int a;\n", nullptr));
    ASSERT_TRUE(WriteWholeFile(b, "int b;\n", nullptr));
    test::HostProcess first, second;
    std::string err;
    ASSERT_TRUE(first.Start({"add", "-p", project_, a}, &err)) << err;
    ASSERT_TRUE(second.Start({"add", "-p", project_, b}, &err)) << err;
    EXPECT_EQ(first.Wait(), 0) << first.output();
    EXPECT_EQ(second.Wait(), 0) << second.output();
  }
  const std::string shown = Show();
  for (int round = 0; round < 10; ++round) {
    for (const char* name : {"a", "b"}) {
      const std::string file = name + std::to_string(round) + ".c";
      EXPECT_NE(shown.find(file), std::string::npos) << file << " lost:\n" << shown;
    }
  }
  EXPECT_FALSE(PathExists(ProjectLock::LockPathOf(project_)));
}
#endif

}  // namespace
}  // namespace c51::host
