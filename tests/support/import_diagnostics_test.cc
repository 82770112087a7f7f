#include "support/import_diagnostics.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/env.h"

#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "support/temp_dir.h"
#endif

namespace c51 {
namespace {

// The POSIX host's list window address; restored after each test.
constexpr const char* kListWin = "CORVANE_LISTWIN";

class ImportDiagnosticsTest : public testing::Test {
 protected:
  void SetUp() override { had_ = GetEnv(kListWin, &saved_); }
  void TearDown() override { had_ ? (void)SetEnv(kListWin, saved_) : (void)UnsetEnv(kListWin); }

 private:
  bool had_ = false;
  std::string saved_;
};

TEST_F(ImportDiagnosticsTest, NobodyListeningLosesTheLineSilently) {
  UnsetEnv(kListWin);
  EXPECT_EQ(ImportDiagnostics("import_assert failed : line %d, %s", 12, "x"), 0);
  SetEnv(kListWin, "/nonexistent/listwin.sock");
  EXPECT_EQ(ImportDiagnostics("import_assert failed : line %d, %s", 12, "x"), 0);
}

#if !defined(_WIN32)
TEST_F(ImportDiagnosticsTest, DeliversTheFormattedLineWithItsNulCutAt1023) {
  // A stand-in for the host's list window: a bound datagram socket.
  test::ScopedTempDir dir;
  std::string path = dir.path() + "listwin";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  SetEnv(kListWin, path);
  // Each line was sent before it is read, so no receive waits.
  auto receive = [fd] {
    char buffer[4096];
    ssize_t size = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    return size < 0 ? std::string("<none>") : std::string(buffer, static_cast<size_t>(size));
  };

  EXPECT_NE(ImportDiagnostics("import_assert failed : line %d, %s", 42, "Targets"), 0);
  EXPECT_EQ(receive(), std::string("import_assert failed : line 42, Targets") + '\0');
  std::string long_text(2000, 'x');
  long_text[1022] = 'E';
  EXPECT_NE(ImportDiagnostics("%s", long_text.c_str()), 0);
  std::string received = receive();
  EXPECT_EQ(received.size(), 1024u);
  EXPECT_EQ(received.find('E'), 1022u);
  EXPECT_EQ(received.find('\0'), 1023u);
  close(fd);
}
#endif

}  // namespace
}  // namespace c51
